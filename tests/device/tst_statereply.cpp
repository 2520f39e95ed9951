#include "device/StateReply.h"

#include <QtTest>

class tst_StateReply : public QObject
{
    Q_OBJECT

private slots:
    void recognise_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isReply");
        QTest::addColumn<QString>("version");
        QTest::newRow("usual reply") << QStringLiteral("ATSW+V1.2+OK\r\n") << true << QStringLiteral("V1.2");
        QTest::newRow("exactly 10 chars") << QStringLiteral("ATSW+V1+OK") << false << QString();
        QTest::newRow("11 chars") << QStringLiteral("ATSW+V12+OK") << true << QStringLiteral("V12");
        QTest::newRow("ATSWX") << QStringLiteral("ATSWX+V1.2+OK\r\n") << false << QString();
        QTest::newRow("lower case") << QStringLiteral("atsw+V1.2+OK\r\n") << false << QString();
        QTest::newRow("leading byte") << QStringLiteral(" ATSW+V1.2+OK\r\n") << false << QString();
        QTest::newRow("one plus keeps line break") << QStringLiteral("ATSW+V2.1.7\r\n") << true << QStringLiteral("V2.1.7\r\n");
        QTest::newRow("no plus") << QStringLiteral("ATSWV2.1.7\r\n") << false << QString();
        QTest::newRow("other verb") << QStringLiteral("ATLW+3+OK!\r\n") << false << QString();
        QTest::newRow("empty version") << QStringLiteral("ATSW++OK\r\n\r\n") << true << QString();
    }
    void recognise()
    {
        QFETCH(QString, text);
        QFETCH(bool, isReply);
        QFETCH(QString, version);
        const auto result = stateReplyVersion(text);
        QCOMPARE(result.has_value(), isReply);
        if (isReply)
            QCOMPARE(*result, version);
    }
};

QTEST_GUILESS_MAIN(tst_StateReply)
#include "tst_statereply.moc"
