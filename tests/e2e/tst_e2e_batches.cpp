// Command batches from the device page to tqunit-sim over a real pseudo-terminal.
#include "E2eSupport.h"
#include "app/AppSetup.h"
#include "app/Language.h"
#include "app/MainWindow.h"
#include "app/SystemDir.h"
#include "device/Function_One.h"
#include "protocol/USART_Send_QDialog_Handle.h"
#include "testsupport/TestSupport.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct Outcome {
    QString log;
    int progress = -1;
    int sentAtClose = 0;
};
} // namespace

class tst_E2eBatches : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppSetup::initResources();
        QVERIFY(Dir.isValid());
        SystemDir::setOverride(Dir.path());
    }
    void init() { E2e::resetProcessState(); }

    void batches_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("wire");
        QTest::newRow("type names") << "TYPE_PB_SET" << QStringList{"ATLW+1+普通+OK", "ATLW+3+VIP+OK", "ATLW+5+对公业务+OK"};
        QTest::newRow("system parameters")
            << "PB_ID_sned" << QStringList{"ATNW+0+42+OK", "ATNW+1+0+OK", "ATNW+2+07+OK", "ATNW+3+0+OK"};
        QTest::newRow("factory reset") << "PB_Rec_sned" << QStringList{"ATRW+58317+OK"};
        QTest::newRow("time") << "PB_Time_syn_sned" << QStringList{};
        QStringList blankPage;
        for (int i = 0; i < 10; ++i)
            blankPage << QStringLiteral("ATPW+%1+N+L+ +SIZE:S+OK").arg(i);
        QTest::newRow("empty ticket page") << "Print_Write_Push" << blankPage;
    }
    void batches()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, wire);
        SimUnderTest sim;
        QVERIFY(sim.started());
        MainWindow w(nullptr, E2e::withPort(sim.port()));
        QVERIFY(E2e::goOnline(w, sim.port()));
        Function_One *page = w.Ticket_Page;
        page->QL_Type_Name[0]->setText("普通");
        page->QL_Type_Name[2]->setText("VIP");
        page->QL_Type_Name[4]->setText("对公业务");
        page->QC_Network_ID->setCurrentIndex(42);
        page->QC_Sync_Restart->setCurrentIndex(1);
        page->QC_Auto_Clear->setCurrentIndex(8);

        const Outcome out = runBatch(buttonByName(page, button));
        QCOMPARE(out.progress, 100);
        QVERIFY2(out.log.endsWith(QStringLiteral("发送完成已停止通信.....")), qPrintable(out.log));

        QStringList received = sim.receivedTexts();
        QCOMPARE(received.takeFirst(), QStringLiteral("ATSW+STATE+OK"));
        if (button == "PB_Time_syn_sned") {
            QCOMPARE(received.size(), 1);
            QVERIFY(QRegularExpression("\\AATTW\\+\\d\\d-\\d\\d-\\d\\d-0[1-7]-\\d\\d-\\d\\d-\\d\\d\\+OK\\z")
                        .match(received.constFirst())
                        .hasMatch());
        } else {
            QCOMPARE(received, wire);
        }
        // One command outstanding at a time: every command after the first follows an acknowledgement.
        const QList<QJsonObject> journal = sim.journal();
        QString previous;
        for (const QJsonObject &e : journal) {
            const QString dir = e.value("dir").toString();
            if (dir == "note")
                continue;
            QVERIFY2(dir != previous, "two commands without an acknowledgement between them");
            previous = dir;
        }
    }

    void silentUnitLeavesDialogWaiting()
    {
        SimUnderTest sim({"--silent", "ATNW"});
        QVERIFY(sim.started());
        MainWindow w(nullptr, E2e::withPort(sim.port()));
        QVERIFY(E2e::goOnline(w, sim.port()));
        Function_One *page = w.Ticket_Page;
        const Outcome out = runBatch(page->PB_ID_sned, 1200);
        QCOMPARE(sim.receivedTexts(), (QStringList{"ATSW+STATE+OK", "ATNW+0+0+OK"}));
        QVERIFY(!out.log.contains(QStringLiteral("发送完成")));
        QCOMPARE(out.sentAtClose, 1);
    }

    void splitOrWrongRepliesAcknowledgeNothing_data()
    {
        QTest::addColumn<QStringList>("simOptions");
        QTest::newRow("split replies") << QStringList{"--split-replies"};
        QTest::newRow("wrong code") << QStringList{"--wrong-code", "ATLW"};
    }
    void splitOrWrongRepliesAcknowledgeNothing()
    {
        QFETCH(QStringList, simOptions);
        SimUnderTest sim(simOptions);
        QVERIFY(sim.started());
        MainWindow w(nullptr, E2e::withPort(sim.port()));
        Function_One *page = nullptr;
        if (simOptions.contains("--split-replies")) {
            // The state reply arrives in two halves as well, so the page never goes online.
            QVERIFY(w.connectTo(sim.port()));
            page = w.Ticket_Page;
            QTRY_COMPARE_WITH_TIMEOUT(sim.journal("tx").size(), 1, 3000);
            QTest::qWait(200);
            QCOMPARE(page->State_Label->text(), QStringLiteral("连接状态:---"));
            page->Receive_Data("ATSW+V2.1+OK\r\n"); // let the buttons work for the rest of the test
        } else {
            QVERIFY(E2e::goOnline(w, sim.port()));
            page = w.Ticket_Page;
        }
        page->QL_Type_Name[0]->setText("A");
        page->QL_Type_Name[1]->setText("B");
        const Outcome out = runBatch(page->TYPE_PB_SET, 1200);
        QCOMPARE(sim.receivedTexts().mid(1), QStringList{"ATLW+1+A+OK"});
        QCOMPARE(out.sentAtClose, 1);
    }

private:
    static QPushButton *buttonByName(Function_One *page, const QString &name)
    {
        const QHash<QString, QPushButton *> buttons{{"TYPE_PB_SET", page->TYPE_PB_SET},
                                                    {"PB_ID_sned", page->PB_ID_sned},
                                                    {"PB_Rec_sned", page->PB_Rec_sned},
                                                    {"PB_Time_syn_sned", page->PB_Time_syn_sned},
                                                    {"Print_Write_Push", page->Print_Write_Push}};
        return buttons.value(name);
    }

    // Presses the button and closes the batch dialog once it completes, or after waitMs without completion.
    Outcome runBatch(QPushButton *button, int waitMs = 0)
    {
        Outcome out;
        QElapsedTimer opened;
        TestSupport::closeModalWhen(
            [&opened, waitMs](QWidget *w) {
                if (!opened.isValid())
                    opened.start();
                auto *d = qobject_cast<USART_Send_QDialog_Handle *>(w);
                return d->batch().isComplete() || (waitMs > 0 && opened.elapsed() > waitMs);
            },
            [&out](QWidget *w) {
                auto *d = qobject_cast<USART_Send_QDialog_Handle *>(w);
                out.log = d->Send_Info.toPlainText();
                out.progress = d->Send_Progress.value();
                out.sentAtClose = d->batch().sentCount();
            },
            15000);
        button->click();
        return out;
    }

    QTemporaryDir Dir;
};

QTEST_MAIN(tst_E2eBatches)
#include "tst_e2e_batches.moc"
