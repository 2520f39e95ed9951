#include "ticket/PreviewRenderer.h"

#include <QtTest>

namespace {
QString para(const QString &align, int size, const QString &text)
{
    return QStringLiteral("<p align=\"%1\" style=margin:0px;><font size=\"%2\"color=\"black\">%3</font></p>")
        .arg(align)
        .arg(size)
        .arg(text);
}
} // namespace

class tst_Preview : public QObject
{
    Q_OBJECT

private slots:
    void paragraph_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("html");
        const QString a40(40, 'a');
        QTest::newRow("40 ASCII: rows of 32 and 8") << "ATPW+0+N+L+" + a40 + "+SIZE:S+OK"
                                                    << para("left", 4, QString(32, 'a') + "<br>" + QString(8, 'a'));
        QTest::newRow("32 ASCII: one row") << "ATPW+0+N+L+" + QString(32, 'a') + "+SIZE:S+OK"
                                           << para("left", 4, QString(32, 'a'));
        QTest::newRow("17 Chinese: break after 16th")
            << "ATPW+0+N+M+" + QString(17, QChar(0x4E00)) + "+SIZE:S+OK"
            << para("center", 4, QString(16, QChar(0x4E00)) + "<br>" + QString(QChar(0x4E00)));
        QTest::newRow("31 ASCII then Chinese: character not split")
            << "ATPW+0+N+L+" + QString(31, 'a') + QString(2, QChar(0x4E00)) + "+SIZE:S+OK"
            << para("left", 4, QString(31, 'a') + "<br>" + QString(2, QChar(0x4E00)));
        QTest::newRow("30 ASCII + two blank lines: extra break")
            << "ATPW+0+N+L+" + QString(30, 'a') + "\r\n\r\n+SIZE:S+OK" << para("left", 4, QString(30, 'a') + "<br><br><br>");
        QTest::newRow("128 ASCII: four rows")
            << "ATPW+0+N+R+" + QString(128, 'b') + "+SIZE:S+OK"
            << para("right", 4, QString(32, 'b') + "<br>" + QString(32, 'b') + "<br>" + QString(32, 'b') + "<br>" + QString(32, 'b'));
        QTest::newRow("big 16 left is centred") << "ATPW+0+N+L+" + QString(16, 'x') + "+SIZE:B+OK"
                                                << para("center", 7, QString(16, 'x'));
        QTest::newRow("big 15 stays left") << "ATPW+0+N+L+" + QString(15, 'x') + "+SIZE:B+OK" << para("left", 7, QString(15, 'x'));
        QTest::newRow("big blank lines do not count") << "ATPW+0+N+R+" + QString(15, 'x') + "\r\n\r\n+SIZE:B+OK"
                                                      << para("right", 7, QString(15, 'x') + "<br><br>");
        QTest::newRow("99 at the colon") << "ATPW+0+R+L+还有:人+SIZE:S+OK" << para("left", 4, "还有99人");
        QTest::newRow("two colons: second becomes 99") << "ATPW+0+R+L+Wait::+SIZE:S+OK" << para("left", 4, "Wait:99");
        QTest::newRow("no colon unchanged") << "ATPW+0+R+L+Wait+SIZE:S+OK" << para("left", 4, "Wait");
        QTest::newRow("colon in plain text stays") << "ATPW+0+N+L+a:b+SIZE:S+OK" << para("left", 4, "a:b");
        QTest::newRow("markup shown as typed") << "ATPW+0+N+L+<b>A&B<br>+SIZE:S+OK"
                                               << para("left", 4, "&lt;b&gt;A&amp;B&lt;br&gt;");
        QTest::newRow("one space stays") << "ATPW+0+N+L+a b+SIZE:S+OK" << para("left", 4, "a b");
        QTest::newRow("four spaces two nbsp") << "ATPW+0+N+L+a    b+SIZE:S+OK" << para("left", 4, "a&nbsp;&nbsp;b");
        QTest::newRow("three spaces") << "ATPW+0+N+L+a   b+SIZE:S+OK" << para("left", 4, "a&nbsp; b");
    }
    void paragraph()
    {
        QFETCH(QString, record);
        QFETCH(QString, html);
        QCOMPARE(PreviewRenderer::paragraph(record), html);
    }

    void renderPage()
    {
        QString page[10];
        QCOMPARE(PreviewRenderer::render(page).html, QString());
        page[3] = "ATPW+3+N+L+B+SIZE:S+OK";
        page[0] = "ATPW+0+N+L+A+SIZE:S+OK";
        const auto ok = PreviewRenderer::render(page);
        QVERIFY(ok.errorCode.isEmpty());
        QCOMPARE(ok.html, para("left", 4, "A") + para("left", 4, "B"));
        page[5] = "ATPW+5+N+L+x+SIZE:X+OK";
        const auto bad = PreviewRenderer::render(page);
        QCOMPARE(bad.errorCode, QStringLiteral("005"));
        QVERIFY(bad.html.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_Preview)
#include "tst_preview.moc"
