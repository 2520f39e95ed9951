#include "app/AppSetup.h"
#include "app/Language.h"
#include "device/Function_One.h"
#include "testsupport/TestSupport.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTextBrowser>
#include <QtTest>

class tst_TicketPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { AppSetup::initResources(); }
    void init()
    {
        Set_Language_Code(Language_Chinese);
        Page = new Function_One(nullptr);
    }
    void cleanup() { delete Page; }

    void storesBySlotAndRenders()
    {
        Page->SavePtint_Line_Contents("ATPW+3+N+M+Hello+SIZE:S+OK");
        QCOMPARE(Page->Print_Line[3], QStringLiteral("ATPW+3+N+M+Hello+SIZE:S+OK"));
        QCOMPARE(Page->Print_Preview->toPlainText(), QStringLiteral("Hello"));
        Page->SavePtint_Line_Contents("ATPW+3+N+M+Bye+SIZE:S+OK");
        QCOMPARE(Page->Print_Preview->toPlainText(), QStringLiteral("Bye"));
        Page->SavePtint_Line_Contents("ATPW+12+N+M+Bad+SIZE:S+OK");
        QCOMPARE(Page->Print_Preview->toPlainText(), QStringLiteral("Bye"));
    }

    void clearAllEmptiesPage()
    {
        Page->SavePtint_Line_Contents("ATPW+0+N+L+A+SIZE:S+OK");
        Page->SavePtint_Line_Contents("Clear_ALL_Contents");
        for (const QString &l : Page->Print_Line)
            QVERIFY(l.isEmpty());
        QVERIFY(Page->Print_Preview->toPlainText().isEmpty());
    }

    void faultyRecordEmptiesEverything_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("code");
        QTest::newRow("kind") << "ATPW+5+X+L+a+SIZE:S+OK" << "003";
        QTest::newRow("too long big") << "ATPW+5+N+L+" + QString(23, 'a') + "+SIZE:B+OK" << "006";
        QTest::newRow("end word") << "ATPW+5+N+L+a+SIZE:S+ok" << "008";
    }
    void faultyRecordEmptiesEverything()
    {
        QFETCH(QString, record);
        QFETCH(QString, code);
        Page->SavePtint_Line_Contents("ATPW+0+N+L+Good+SIZE:S+OK");
        Page->QL_Type_Name[0]->setText("VIP");
        QString shown;
        QString title;
        TestSupport::answerNextModal([&](QWidget *w) {
            shown = qobject_cast<QMessageBox *>(w)->text();
            title = w->windowTitle();
        });
        Page->SavePtint_Line_Contents(record);
        QCOMPARE(shown, QStringLiteral("格式错误 %1 或者文件可能已经损坏!!!").arg(code));
        QCOMPARE(title, QStringLiteral("Warning"));
        for (const QString &l : Page->Print_Line)
            QVERIFY(l.isEmpty());
        QVERIFY(Page->Print_Preview->toPlainText().isEmpty());
        QVERIFY(Page->QL_Type_Name[0]->text().isEmpty());
    }

    void previewShowsMarkupAsTyped()
    {
        Page->SavePtint_Line_Contents("ATPW+0+N+L+<b>x</b> & y+SIZE:S+OK");
        QCOMPARE(Page->Print_Preview->toPlainText(), QStringLiteral("<b>x</b> & y"));
    }

    void buildPrintCommands()
    {
        Page->Print_Line[2] = "ATPW+7+N+L+x+SIZE:S+OK";
        Page->Print_Line[4] = "ATPW+4+T+R+2024-03-02 09:05:00\r\n\r\n+SIZE:S+OK";
        QString out[10];
        Page->Build_Print_Commands(Page->Print_Line, out);
        QCOMPARE(out[0], QStringLiteral("ATPW+0+N+L+ +SIZE:S+OK"));
        QCOMPARE(out[2], QStringLiteral("ATPW+7+N+L+x+SIZE:S+OK"));
        QCOMPARE(out[4], QStringLiteral("ATPW+4+T+R+\r\n\r\n +SIZE:S+OK"));
        QCOMPARE(out[9], QStringLiteral("ATPW+9+N+L+ +SIZE:S+OK"));
    }

private:
    Function_One *Page = nullptr;
};

QTEST_MAIN(tst_TicketPage)
#include "tst_ticket_page.moc"
