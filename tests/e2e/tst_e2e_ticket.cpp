// A ticket page composed in the line editor, written to tqunit-sim and printed there.
#include "E2eSupport.h"
#include "app/AppSetup.h"
#include "app/Language.h"
#include "app/MainWindow.h"
#include "app/SystemDir.h"
#include "device/Function_One.h"
#include "protocol/USART_Send_QDialog_Handle.h"
#include "testsupport/TestSupport.h"
#include "ticket/QDialg_add_Line.h"

#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

class tst_E2eTicket : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppSetup::initResources();
        QVERIFY(Dir.isValid());
        SystemDir::setOverride(Dir.path());
        Set_Language_Code(Language_Chinese);
    }

    void composeWriteAndPrint()
    {
        SimUnderTest sim;
        QVERIFY(sim.started());
        MainWindow w(nullptr, E2e::withPort(sim.port()));
        QVERIFY(E2e::goOnline(w, sim.port()));
        Function_One *page = w.Ticket_Page;

        TestSupport::answerNextModal([](QWidget *modal) {
            auto *d = qobject_cast<QDialg_add_Line *>(modal);
            QVERIFY(d);
            d->QC_Font_Size.setCurrentIndex(1);
            d->QR_Center.setChecked(true);
            d->QL_Contents.setText("欢迎光临");
            d->QB_Add_Contents.click();

            d->QC_Choose_Line.setCurrentIndex(1);
            d->QC_Type_Choose.setCurrentIndex(1);
            d->QC_Font_Size.setCurrentIndex(1);
            d->QR_Center.setChecked(true);
            d->QB_Add_Contents.click();

            d->QC_Choose_Line.setCurrentIndex(2);
            d->QC_Type_Choose.setCurrentIndex(3);
            d->QL_Contents.setText("前面还有:人等待");
            d->QC_Blank_Line.setCurrentIndex(1);
            d->QB_Add_Contents.click();

            d->QC_Choose_Line.setCurrentIndex(3);
            d->QC_Type_Choose.setCurrentIndex(2);
            d->QR_Right.setChecked(true);
            d->QB_Add_Contents.click();
        });
        page->QB_Add_Line->click();
        QCOMPARE(page->Print_Line[0], QStringLiteral("ATPW+0+N+M+欢迎光临+SIZE:B+OK"));
        QVERIFY(page->Print_Preview->toPlainText().contains(QStringLiteral("前面还有99人等待")));

        bool complete = false;
        TestSupport::closeModalWhen(
            [](QWidget *m) { return qobject_cast<USART_Send_QDialog_Handle *>(m)->batch().isComplete(); },
            [&complete](QWidget *m) { complete = qobject_cast<USART_Send_QDialog_Handle *>(m)->batch().isComplete(); },
            20000);
        page->Print_Write_Push->click();
        QVERIFY(complete);

        QStringList wire = sim.receivedTexts().mid(1);
        QCOMPARE(wire.size(), 10);
        QCOMPARE(wire.at(0), QStringLiteral("ATPW+0+N+M+欢迎光临+SIZE:B+OK"));
        QCOMPARE(wire.at(1), QStringLiteral("ATPW+1+S+M+ +SIZE:B+OK"));
        QCOMPARE(wire.at(2), QStringLiteral("ATPW+2+R+L+前面还有:人等待\r\n+SIZE:S+OK"));
        QCOMPARE(wire.at(3), QStringLiteral("ATPW+3+T+R+ +SIZE:S+OK"));
        for (int i = 4; i < 10; ++i)
            QCOMPARE(wire.at(i), QStringLiteral("ATPW+%1+N+L+ +SIZE:S+OK").arg(i));

        QStringList printed;
        for (const QJsonObject &e : sim.journal("note")) {
            const QString text = e.value("text").toString();
            if (text.startsWith("ticket|"))
                printed << text.mid(7);
        }
        QCOMPARE(printed.size(), 5);
        QCOMPARE(printed.at(0), QStringLiteral("B|    欢迎光临"));
        QCOMPARE(printed.at(1), QStringLiteral("B|   类型:0001"));
        QCOMPARE(printed.at(2), QStringLiteral("S|前面还有3人等待"));
        QCOMPARE(printed.at(3), QStringLiteral("S|"));
        QVERIFY2(QRegularExpression("\\AS\\| {16}\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d\\z").match(printed.at(4)).hasMatch(),
                 qPrintable(printed.at(4)));
    }

private:
    QTemporaryDir Dir;
};

QTEST_MAIN(tst_E2eTicket)
#include "tst_e2e_ticket.moc"
