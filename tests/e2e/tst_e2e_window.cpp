// The main window and tqunit-sim over a real pseudo-terminal: command batches, a ticket page composed
// in the line editor and printed there, firmware transfers and pairing.
#include "E2eSupport.h"
#include "app/AppSetup.h"
#include "app/SystemDir.h"
#include "device/Pair_Mode_Handle.h"
#include "firmware/Bootloader_Handle.h"
#include "testsupport/BatchWindow.h"
#include "ticket/QDialg_add_Line.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>

using TestSupport::runBatch;

class tst_E2eWindow : public QObject
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

    // The unit takes the PC's local time: it refuses a date that does not exist or a wrong weekday.
    void timeSyncReachesTheUnit()
    {
        E2e::Connected c;
        QVERIFY(c.online);
        const QDateTime before = QDateTime::currentDateTime();
        QCOMPARE(runBatch(c.window.Ticket_Page->PB_Time_syn_sned).progress, 100);
        const QDateTime after = QDateTime::currentDateTime();
        const QStringList notes = c.sim.texts("note").filter(QRegularExpression("^clock = "));
        QCOMPARE(notes.size(), 1);
        const QStringList p = notes.constFirst().mid(8).split('-');
        const QDateTime set(QDate(2000 + p.value(0).toInt(), p.value(1).toInt(), p.value(2).toInt()),
                            QTime(p.value(4).toInt(), p.value(5).toInt(), p.value(6).toInt()));
        QVERIFY2(set.isValid() && before.secsTo(set) >= -1 && set.secsTo(after) >= 0, qPrintable(notes.constFirst()));
        QCOMPARE(c.sim.receivedTexts(), (QStringList{"ATSW+STATE+OK", "ATTW+" + notes.constFirst().mid(8) + "+OK"}));
    }

    void unitThatDoesNotAcknowledgeLeavesTheWindowWaiting_data()
    {
        QTest::addColumn<QStringList>("simOptions");
        QTest::newRow("silent") << QStringList{"--silent", "ATLW"};
        QTest::newRow("split replies") << QStringList{"--split-replies"};
        QTest::newRow("wrong code") << QStringList{"--wrong-code", "ATLW"};
    }
    void unitThatDoesNotAcknowledgeLeavesTheWindowWaiting()
    {
        QFETCH(QStringList, simOptions);
        SimUnderTest sim(simOptions);
        QVERIFY(sim.started());
        MainWindow w(nullptr, E2e::withPort(sim.port()));
        Function_One *page = w.Ticket_Page;
        QVERIFY(w.connectTo(sim.port()));
        QTRY_COMPARE_WITH_TIMEOUT(sim.journal("tx").size(), simOptions.contains("--split-replies") ? 2 : 1, 3000);
        QTest::qWait(100);
        // A state reply in two halves is no state reply.
        QCOMPARE(page->State_Label->text() == QStringLiteral("连接状态:在线"), !simOptions.contains("--split-replies"));
        page->Receive_Data("ATSW+V2.1+OK\r\n"); // let the buttons work for the rest of the test
        page->QL_Type_Name[0]->setText("A");
        page->QL_Type_Name[1]->setText("B");
        const auto out = runBatch(page->TYPE_PB_SET, 1000);
        QCOMPARE(sim.receivedTexts().mid(1), QStringList{"ATLW+1+A+OK"});
        QCOMPARE(out.sentCount, 1);
        QVERIFY(!out.log.contains(QStringLiteral("发送完成")));
    }

    void composeWriteAndPrint()
    {
        E2e::Connected c;
        QVERIFY(c.online);
        Function_One *page = c.window.Ticket_Page;
        TestSupport::answerNextModal([](QWidget *modal) {
            auto *d = qobject_cast<QDialg_add_Line *>(modal);
            const auto add = [d](int line, int kind, int font, QRadioButton *align, const QString &text, int blanks) {
                d->QC_Choose_Line.setCurrentIndex(line);
                d->QC_Type_Choose.setCurrentIndex(kind);
                d->QC_Font_Size.setCurrentIndex(font);
                align->setChecked(true);
                if (!text.isEmpty())
                    d->QL_Contents.setText(text);
                d->QC_Blank_Line.setCurrentIndex(blanks);
                d->QB_Add_Contents.click();
            };
            add(0, 0, 1, &d->QR_Center, "欢迎光临", 0);
            add(1, 1, 1, &d->QR_Center, "", 0);
            add(2, 3, 0, &d->QR_Left, "前面还有:人等待", 1);
            add(3, 2, 0, &d->QR_Right, "", 0);
        });
        page->QB_Add_Line->click();
        QCOMPARE(page->Print_Line[0], QStringLiteral("ATPW+0+N+M+欢迎光临+SIZE:B+OK"));
        QVERIFY(page->Print_Preview->toPlainText().contains(QStringLiteral("前面还有99人等待")));
        QCOMPARE(runBatch(page->Print_Write_Push).progress, 100);

        const QStringList wire = c.sim.receivedTexts().mid(1);
        QCOMPARE(wire.mid(0, 4), (QStringList{"ATPW+0+N+M+欢迎光临+SIZE:B+OK", "ATPW+1+S+M+ +SIZE:B+OK",
                                              "ATPW+2+R+L+前面还有:人等待\r\n+SIZE:S+OK", "ATPW+3+T+R+ +SIZE:S+OK"}));
        for (int i = 4; i < 10; ++i)
            QCOMPARE(wire.value(i), QStringLiteral("ATPW+%1+N+L+ +SIZE:S+OK").arg(i));
        QStringList printed = c.sim.texts("note").filter(QRegularExpression("^ticket\\|"));
        printed.replaceInStrings(QRegularExpression("^ticket\\|"), QString());
        QCOMPARE(printed.mid(0, 4), (QStringList{"B|    欢迎光临", "B|   类型:0001", "S|前面还有3人等待", "S|"}));
        QCOMPARE(printed.size(), 5);
        QVERIFY2(QRegularExpression("\\AS\\| {16}\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d\\z").match(printed.at(4)).hasMatch(),
                 qPrintable(printed.at(4)));
    }

    void upgrade_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QStringList>("simOptions");
        QTest::addColumn<QString>("lastLine");
        const QString done = QStringLiteral("升级完成5s后进入主程序...");
        QTest::newRow("51200 bytes") << 51200 << QStringList{} << done;
        QTest::newRow("malformed request survived") << 3000 << QStringList{"--corrupt-request"} << done;
        QTest::newRow("stalled unit times out") << 10000 << QStringList{"--stall-after", "2"} << "响应超时请重新尝试.....";
    }
    void upgrade()
    {
        QFETCH(int, size);
        QFETCH(QStringList, simOptions);
        QFETCH(QString, lastLine);
        const QString imagePath = writeImage(size);
        const QString outPath = Dir.filePath("assembled.bin");
        QFile::remove(outPath);
        E2e::Connected c(QStringList{"--bootloader", "--image-out", outPath} + simOptions);
        QVERIFY(c.online);
        QString log;
        bool buttonEnabled = false;
        runUpgrade(c.window, imagePath, [&](Bootloader_Handle *d) {
            log = d->Info_Text.toPlainText();
            buttonEnabled = d->Update_Button->isEnabled();
            return log.contains(lastLine);
        });
        QVERIFY2(log.contains(lastLine), qPrintable(log));
        QVERIFY(buttonEnabled);
        if (simOptions.contains("--stall-after")) { // the second request is the last one answered
            QVERIFY2(log.contains(QRegularExpression("正在发送 2\\r?\\n package....")), qPrintable(log));
            QVERIFY(!log.contains(QStringLiteral("正在发送 3")));
        } else {
            QCOMPARE(TestSupport::contentOf(outPath), TestSupport::contentOf(imagePath));
        }
    }

    void pairingCycles()
    {
        E2e::Connected c({"--key-delay", "100"});
        QVERIFY(c.online);
        Function_One *page = c.window.Ticket_Page;
        QStringList seen;
        TestSupport::answerNextModal([&seen](QWidget *m) {
            auto *d = qobject_cast<Pair_Mode_Handle *>(m);
            QTRY_COMPARE(d->Type_State[4]->text(), QStringLiteral("类型 5 : ---"));
            d->Type_Choose->setCurrentIndex(0);
            d->Set_up_Button->click();
            QTRY_COMPARE(d->State_Text->text(), QStringLiteral("类型 1 匹配成功."));
            seen << d->Type_State[0]->text() << d->pictureName();
            d->Type_Choose->setCurrentIndex(1);
            d->Set_up_Button->click();
            QTRY_COMPARE(d->pictureName(), QStringLiteral(":/Res/Pic/ADD_ERROR.png"));
            seen << d->State_Text->text();
        }, 10000);
        page->Pair_Set_Push->click();
        QCOMPARE(seen, (QStringList{"类型 1 : 1001", ":/Res/Pic/ADD_OVER.png", "此叫号器已经与类型 1 配对..."}));
        QCOMPARE(c.sim.receivedTexts().mid(1), (QStringList{"ATAW+READ+ALL+OK", "ATAW+ADD+1+OK", "ATAW+ADD+2+OK"}));
    }

private:
    QString writeImage(int size)
    {
        const QString path = Dir.filePath(QStringLiteral("image-%1.bin").arg(size));
        TestSupport::writeFile(path, TestSupport::randomBytes(size, quint32(size)));
        return path;
    }

    // Opens the firmware window, loads the image, presses update and closes the window once done.
    void runUpgrade(MainWindow &w, const QString &image, std::function<bool(Bootloader_Handle *)> done)
    {
        w.chooseFirmwareImage = [image](QWidget *) { return image; };
        bool started = false;
        TestSupport::closeModalWhen(
            [&started, done](QWidget *m) {
                auto *d = qobject_cast<Bootloader_Handle *>(m);
                if (!started) {
                    started = true;
                    d->Open_Button->click();
                    d->Update_Button->click();
                    return false;
                }
                return done(d);
            },
            {}, 20000);
        w.ui->Boot_Handl->trigger();
    }

    QTemporaryDir Dir;
};

QTEST_MAIN(tst_E2eWindow)
#include "tst_e2e_window.moc"
