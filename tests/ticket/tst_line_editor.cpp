#include "app/AppSetup.h"
#include "app/Language.h"
#include "device/Function_One.h"
#include "testsupport/TestSupport.h"
#include "ticket/QDialg_add_Line.h"

#include <QDateTime>
#include <QLineEdit>
#include <QTextBrowser>
#include <QtTest>

class tst_LineEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { AppSetup::initResources(); }
    void init()
    {
        Set_Language_Code(Language_Chinese);
        for (QString &l : Lines)
            l.clear();
    }

    void startsWithLineOneLoaded()
    {
        Lines[0] = "ATPW+0+N+M+Welcome\r\n\r\n+SIZE:B+OK";
        QDialg_add_Line d(nullptr, Lines);
        QCOMPARE(d.QC_Choose_Line.currentIndex(), 0);
        QCOMPARE(d.QL_Contents.text(), QStringLiteral("Welcome"));
        QVERIFY(d.QR_Center.isChecked());
        QCOMPARE(d.QC_Font_Size.currentIndex(), 1);
        QCOMPARE(d.QC_Blank_Line.currentIndex(), 2);
        QVERIFY(!d.QR_Real_time.isChecked());
        QVERIFY(d.Lab_Colon_Hint.isHidden());
        QCOMPARE(d.QC_Type_Choose.count(), 4);
        QCOMPARE(d.QC_Choose_Line.itemText(9), QStringLiteral("第10行"));
    }

    void limits_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("font");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("plain big: 17th dropped") << 0 << 1 << QString(17, 'a') << QString(16, 'a');
        QTest::newRow("remaining big: 12th dropped") << 3 << 1 << QString(12, 'a') << QString(11, 'a');
        QTest::newRow("plain big six Chinese fit") << 0 << 1 << QString(6, QChar(0x4E00)) << QString(6, QChar(0x4E00));
        QTest::newRow("remaining big six Chinese: one dropped") << 3 << 1 << QString(6, QChar(0x4E00)) << QString(5, QChar(0x4E00));
        QTest::newRow("plain small 129") << 0 << 0 << QString(129, 'a') << QString(128, 'a');
        QTest::newRow("remaining small 124") << 3 << 0 << QString(124, 'a') << QString(123, 'a');
        QTest::newRow("paste of 10000") << 0 << 0 << QString(10000, 'z') << QString(128, 'z');
    }
    void limits()
    {
        QFETCH(int, kind);
        QFETCH(int, font);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QDialg_add_Line d(nullptr, Lines);
        d.QC_Type_Choose.setCurrentIndex(kind);
        d.QC_Font_Size.setCurrentIndex(font);
        d.QL_Contents.setText(typed);
        QCOMPARE(d.QL_Contents.text(), kept);
    }

    void fontLockAtSixteenBytes()
    {
        QDialg_add_Line d(nullptr, Lines);
        d.QL_Contents.setText(QString(20, 'a'));
        QCOMPARE(d.QL_Contents.text().size(), 20);
        QVERIFY(!d.QC_Font_Size.isEnabled());
        d.QL_Contents.setText(QString(17, 'a'));
        QVERIFY(!d.QC_Font_Size.isEnabled());
        d.QL_Contents.setText(QString(16, 'a'));
        QVERIFY(d.QC_Font_Size.isEnabled());
    }

    void plusRemovedWithOneWarningEach()
    {
        QDialg_add_Line d(nullptr, Lines);
        TestSupport::ModalCatcher boxes;
        d.QL_Contents.setText("a++b");
        QCOMPARE(d.QL_Contents.text(), QStringLiteral("ab"));
        QTRY_COMPARE(boxes.count(), 2);
        QCOMPARE(boxes.texts().constFirst(), QStringLiteral("禁止使用特殊符号\"+\"请重新输入\r\n"));
    }

    void timeKindLocksSmallFont()
    {
        QDialg_add_Line d(nullptr, Lines);
        d.QC_Font_Size.setCurrentIndex(1);
        d.QC_Type_Choose.setCurrentIndex(2);
        QCOMPARE(d.QC_Font_Size.currentIndex(), 0);
        QVERIFY(!d.QC_Font_Size.isEnabled());
        QVERIFY(!d.QL_Contents.isEnabled());
        const QDateTime shown = QDateTime::fromString(d.QL_Contents.text(), "yyyy-MM-dd hh:mm:ss");
        QVERIFY(shown.isValid());
        QVERIFY(qAbs(shown.secsTo(QDateTime::currentDateTime())) <= 2);
    }

    void ticketTypePlaceholderAndHint()
    {
        QDialg_add_Line d(nullptr, Lines);
        d.QC_Type_Choose.setCurrentIndex(1);
        QCOMPARE(d.QL_Contents.text(), QStringLiteral("类型:0001"));
        QVERIFY(!d.QL_Contents.isEnabled());
        d.QC_Type_Choose.setCurrentIndex(3);
        QVERIFY(d.QL_Contents.text().isEmpty());
        QVERIFY(d.QL_Contents.isEnabled());
        QVERIFY(!d.Lab_Colon_Hint.isHidden());
    }

    void emptySlotResetsControls()
    {
        Lines[0] = "ATPW+0+R+R+x:y\r\n+SIZE:B+OK";
        QDialg_add_Line d(nullptr, Lines);
        QCOMPARE(d.QC_Type_Choose.currentIndex(), 3);
        d.QC_Choose_Line.setCurrentIndex(4);
        QCOMPARE(d.QC_Type_Choose.currentIndex(), 0);
        QVERIFY(d.QL_Contents.text().isEmpty());
        QCOMPARE(d.QC_Blank_Line.currentIndex(), 0);
        QCOMPARE(d.QC_Font_Size.currentIndex(), 0);
        QVERIFY(d.QR_Left.isChecked());
    }

    void loadedTimeLineIsAddedAgainInTheCurrentLanguage()
    {
        Set_Language_Code(Language_English);
        Lines[2] = "ATPW+2+T+M+2024-03-02 09:05:00\r\n+SIZE:S+OK";
        QDialg_add_Line d(nullptr, Lines);
        QSignalSpy spy(&d, &QDialg_add_Line::Add_Button_signals);
        d.QC_Choose_Line.setCurrentIndex(2);
        d.QB_Add_Contents.click();
        QCOMPARE(spy.count(), 1);
        const QString record = spy.at(0).at(0).toString();
        QVERIFY2(record.startsWith("ATPW+2+E+M+") && record.endsWith("\r\n+SIZE:S+OK"), qPrintable(record));
    }

    void lineTenIsNumberNine()
    {
        QDialg_add_Line d(nullptr, Lines);
        QSignalSpy spy(&d, &QDialg_add_Line::Add_Button_signals);
        d.QC_Choose_Line.setCurrentIndex(9);
        d.QL_Contents.setText("Bye");
        d.QR_Right.setChecked(true);
        d.QC_Blank_Line.setCurrentIndex(1);
        d.QB_Add_Contents.click();
        QCOMPARE(spy.last().at(0).toString(), QStringLiteral("ATPW+9+N+R+Bye\r\n+SIZE:S+OK"));
        d.QB_Clear_ALL.click();
        QCOMPARE(spy.last().at(0).toString(), QStringLiteral("Clear_ALL_Contents"));
    }

    void livePreviewDefinesLineOnPage()
    {
        Function_One page(nullptr);
        QDialg_add_Line d(&page, page.Print_Line);
        connect(&d, &QDialg_add_Line::Add_Button_signals, &page, &Function_One::SavePtint_Line_Contents);
        QTest::mouseClick(&d.QR_Real_time, Qt::LeftButton);
        QVERIFY(d.QR_Real_time.isChecked());
        d.QC_Choose_Line.setCurrentIndex(5);
        d.QL_Contents.setText("Hi");
        QCOMPARE(page.Print_Line[5], QStringLiteral("ATPW+5+N+L+Hi+SIZE:S+OK"));
        d.QC_Blank_Line.setCurrentIndex(2);
        QCOMPARE(page.Print_Line[5], QStringLiteral("ATPW+5+N+L+Hi\r\n\r\n+SIZE:S+OK"));
        QVERIFY(page.Print_Preview->toPlainText().startsWith("Hi"));
    }

private:
    QString Lines[10];
};

QTEST_MAIN(tst_LineEditor)
#include "tst_line_editor.moc"
