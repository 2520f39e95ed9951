// tqunit-sim (or a pseudo-terminal the test drives) on the far end of a real serial port: the serial
// service's line settings and bursts, the main window's connection, command batches, a ticket page
// composed in the line editor and printed there, firmware transfers and pairing.
#include "app/AppSetup.h"
#include "ticket/Language.h"
#include "app/MainWindow.h"
#include "ticket/SystemDir.h"
#include "device/Pair_Mode_Handle.h"
#include "device/Bootloader_Handle.h"
#include "device/Function_USART.h"
#include "serial/IUsart_dis.h"
#include "serial/PortProblem.h"
#include "testsupport/BatchWindow.h"
#include "testsupport/PageState.h"
#include "device/QDialg_add_Line.h"
#include "ticket/RecordFile.h"

#include <QAction>
#include <QDateTime>
#include <QFileInfo>
#include <QLineEdit>
#include <QSerialPort>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <numeric>

#include <csignal>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

using TestSupport::runBatch;
using TestSupport::part;
using TestSupport::typeName;

namespace {
class Recorder : public IUsart_dis
{
public:
    void Receive_Data(QString dat) override { texts << dat; }
    void Link_Lost() override { ++lost; }
    QStringList texts;
    int lost = 0;
};

// The serial service opened on a pseudo-terminal the test drives, handing its texts to a recorder.
struct OnPty {
    OnPty()
    {
        service.Set_Receiver(&rec);
        service.USART_Open(pty.slavePath());
    }
    PtyPair pty;
    Recorder rec;
    Function_USART service{nullptr};
};

StartOptions withPort(const QString &port)
{
    StartOptions o;
    o.connectPort = port;
    return o;
}

// Connects the window to the port and waits for the unit's state reply; false if it never comes.
bool goOnline(MainWindow &w, const QString &port)
{
    const QString online = QStringLiteral("连接状态:在线");
    if (!w.connectTo(port))
        return false;
    QElapsedTimer clock;
    clock.start();
    while (part<QLabel>(w.Ticket_Page, "State_Label")->text() != online && clock.elapsed() < 5000)
        QTest::qWait(20);
    return part<QLabel>(w.Ticket_Page, "State_Label")->text() == online;
}

// A simulator, and the main window connected to it and online.
struct Connected {
    explicit Connected(const QStringList &simOptions = {})
        : sim(simOptions)
        , window(nullptr, withPort(sim.port()))
        , online(sim.started() && goOnline(window, sim.port()))
    {
    }
    SimUnderTest sim;
    MainWindow window;
    const bool online;
};
} // namespace

class tst_E2e : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppSetup::initResources();
        QVERIFY(Dir.isValid());
        SystemDir::setOverride(Dir.path());
    }
    void init()
    {
        Set_Language_Code(Language_Chinese);
    }

    void openSetsTheUnitsLineSettings()
    {
        PtyPair pty;
        const QByteArray path = pty.slavePath().toLocal8Bit();
        const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(fd >= 0);
        termios t{};
        ::tcgetattr(fd, &t); // first the opposite of everything: 9600 7E2, hardware and software flow control
        ::cfsetospeed(&t, B9600);
        ::cfsetispeed(&t, B9600);
        t.c_cflag = (t.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB | CRTSCTS;
        t.c_iflag |= IXON | IXOFF;
        QCOMPARE(::tcsetattr(fd, TCSANOW, &t), 0);
        Function_USART service(nullptr);
        QVERIFY(service.USART_Open(pty.slavePath()));
        QCOMPARE(::tcgetattr(fd, &t), 0);
        ::close(fd);
        QCOMPARE(::cfgetospeed(&t), speed_t(B115200));
        QCOMPARE(::cfgetispeed(&t), speed_t(B115200));
        QCOMPARE(t.c_cflag & CSIZE, tcflag_t(CS8));
        QCOMPARE(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
        QCOMPARE(t.c_iflag & (IXON | IXOFF), tcflag_t(0));
    }

    void bursts_data()
    {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<int>("pauseMs");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("closeOnReply"); // the receiver closes the link on the first reply
        QTest::newRow("two replies within 30 ms are handed on one by one")
            << QList<QByteArray>{"ATNW+1+OK!\r\n", "ATNW+2+OK!\r\n"} << 5 << QStringList{"ATNW+1+OK!\r\n", "ATNW+2+OK!\r\n"} << false;
        QTest::newRow("replies, a zero byte and a rest in one write")
            << QList<QByteArray>{QByteArray("ATAW+1+READ+a\r\nAT\0AW+2+READ+b\r\nATAW+3+READ+c\r\nATSW", 50)} << 0
            << QStringList{"ATAW+1+READ+a\r\n", "AT", "ATAW+3+READ+c\r\n", "ATSW"} << false;
        QTest::newRow("a pause of 30 ms or more splits")
            << QList<QByteArray>{"ATLW+3+", "OK!\r\n"} << 120 << QStringList{"ATLW+3+", "OK!\r\n"} << false;
        // Bytes the system holds when the gap's end comes up on a busy PC, not yet announced.
        QTest::newRow("late bytes belong to the burst") << QList<QByteArray>{"ATAW+1+READ+", "1001\r\n"} << -1
                                                        << QStringList{"ATAW+1+READ+1001\r\n"} << false;
        QTest::newRow("GBK decoded") << QList<QByteArray>{QByteArray("ATAW+1+READ+\xc0\xe0\xd0\xcd\r\n")} << 0
                                     << QStringList{QStringLiteral("ATAW+1+READ+类型\r\n")} << false;
        QTest::newRow("nothing after the reply the link was closed on")
            << QList<QByteArray>{"ATNW+1+OK!\r\nATNW+2+OK!\r\n"} << 0 << QStringList{"ATNW+1+OK!\r\n"} << true;
    }
    void bursts()
    {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(int, pauseMs);
        QFETCH(QStringList, texts);
        QFETCH(bool, closeOnReply);
        PtyPair pty;
        QStringList received;
        SerialLink link;
        connect(&link, &SerialLink::received, [&](const QString &text) {
            received << text;
            if (closeOnReply)
                link.close();
        });
        QVERIFY(link.open(pty.slavePath()));
        QTimer early;
        if (pauseMs < 0) {
            // The gap has just begun; the PC is busy past its end, and the second chunk comes in
            // just before the gap's end is handled, in the same pass over the timers.
            auto *port = link.findChild<QSerialPort *>();
            early.setSingleShot(true);
            early.setTimerType(Qt::PreciseTimer);
            connect(&early, &QTimer::timeout, [&pty, port, late = chunks.takeLast()] {
                pty.write(late);
                int queued = 0;
                QElapsedTimer t;
                for (t.start(); queued == 0 && t.elapsed() < 1000;)
                    ::ioctl(int(port->handle()), FIONREAD, &queued);
            });
            connect(port, &QSerialPort::readyRead, [&early, armed = false]() mutable {
                if (std::exchange(armed, true))
                    return;
                early.start(SerialLink::BurstGapMs - 5);
                QElapsedTimer busy;
                for (busy.start(); busy.elapsed() < SerialLink::BurstGapMs + 5;) {
                }
            });
        }
        for (int i = 0; i < chunks.size(); ++i) {
            if (i > 0)
                QTest::qWait(pauseMs);
            pty.write(chunks.at(i));
        }
        QStringList &rec = received;
        QTRY_COMPARE_WITH_TIMEOUT(rec.size(), texts.size(), 3000);
        QTest::qWait(100); // nothing more may follow
        QCOMPARE(rec, texts);
    }

    void sendsTextAndRawBytesOnlyWhileOpen()
    {
        PtyPair pty;
        Function_USART service(nullptr);
        QVERIFY(!service.USART_Open("/dev/does-not-exist-tq"));
        uint8_t raw[] = {0x00, 0x03, 0x61, 0x62, 0x63, 0x1C, 0xD3};
        service.USART_Send("ATSW+STATE+OK");
        service.Send_USART_QByteArray(raw, sizeof raw);
        QVERIFY(service.USART_Open(pty.slavePath()));
        service.USART_Send(QStringLiteral("ATLW+2+普通文本+OK"));
        service.USART_Send(QString());
        service.Send_USART_QByteArray(raw, sizeof raw);
        // On the wire before the event loop runs again: a batch times its next command from the send.
        const QByteArray expected = QByteArray("ATLW+2+\xc6\xd5\xcd\xa8\xce\xc4\xb1\xbe+OK") + QByteArray((const char *)raw, 7);
        QCOMPARE(pty.readWithoutEvents(expected.size(), 3000), expected);
        service.USART_Close();
        QVERIFY(!service.isPortOpen());
        service.USART_Send("ATSW+STATE+OK");
        QTest::qWait(50);
        QCOMPARE(pty.readAll(), QByteArray());
    }

    void portThatFailsWhileWrittenIsLostAfterTheSend()
    {
        OnPty port;
        QVERIFY(port.service.isPortOpen());
        TestSupport::ModalCatcher boxes;
        port.pty.hangUp();
        port.service.USART_Send("ATSW+STATE+OK"); // fails inside the write; the sender is not yet done with it
        QCOMPARE(port.rec.lost, 0);
        QCOMPARE(boxes.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(port.rec.lost, 1, 3000);
        QVERIFY(!port.service.isPortOpen());
        port.service.USART_Send("ATSW+STATE+OK");
        QTest::qWait(100);
        QCOMPARE(port.rec.lost, 1);
        QCOMPARE(boxes.count(), 1);
    }

    void portThatIsNotReadKeepsWhatIsSent()
    {
        OnPty port;
        QVERIFY(port.service.isPortOpen());
        TestSupport::ModalCatcher boxes;
        QByteArray sent;
        for (int i = 0; i < 100; ++i) { // far more than the system holds for a far end that does not read
            QByteArray block(1024, char('a' + i % 26));
            port.service.Send_USART_QByteArray(reinterpret_cast<uint8_t *>(block.data()), uint32_t(block.size()));
            sent += block;
        }
        QTest::qWait(100);
        QVERIFY(port.service.isPortOpen());
        QByteArray got;
        QTRY_COMPARE_WITH_TIMEOUT((got += port.pty.readAll()).size(), sent.size(), 5000);
        QCOMPARE(got, sent);
        QCOMPARE(port.rec.lost, 0);
        QCOMPARE(boxes.count(), 0);
    }

    void peerThatNeverPausesIsDeliveredInBoundedBursts()
    {
        OnPty port;
        QVERIFY(port.service.isPortOpen());
        for (int i = 0; i < 200; ++i) {
            port.pty.write(QByteArray(1024, 'x'));
            QTest::qWait(2); // far below the 30 ms gap: the burst never ends by itself
        }
        const auto total = [&port] {
            return std::accumulate(port.rec.texts.cbegin(), port.rec.texts.cend(), 0, [](int n, const QString &t) { return n + t.size(); });
        };
        QTRY_COMPARE_WITH_TIMEOUT(total(), 200 * 1024, 10000);
        QVERIFY(port.rec.texts.size() >= 3);
        for (const QString &t : qAsConst(port.rec.texts))
            QVERIFY(t.size() <= SerialLink::ReadBufferLimit);
    }

    void killingSimulatorShowsOneBox_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("title");
        QTest::newRow("Chinese") << 0 << "Warning";
        QTest::newRow("Polish") << 2 << "Ostrzeżenie";
    }
    void killingSimulatorShowsOneBox()
    {
        QFETCH(int, language);
        QFETCH(QString, title);
        auto *sim = new SimUnderTest;
        QVERIFY(sim->started());
        MainWindow w(nullptr, withPort(sim->port()));
        QVERIFY(goOnline(w, sim->port()));
        Set_Language_Code(uint8_t(language));
        Function_One *page = w.Ticket_Page;
        TestSupport::ModalCatcher boxes;
        sim->kill();
        QTRY_COMPARE_WITH_TIMEOUT(part<QPushButton>(page, "QB_OPEN_USART")->text(), QStringLiteral("连接设备"), 5000);
        QTest::qWait(200); // a storm of hang-up errors would show more boxes now
        QCOMPARE(boxes.titles(), QStringList{title});
        QCOMPARE(boxes.texts(), QStringList{"设备连接发生异常请关闭所有操作并保持电脑和设备的可靠连接！\r\n端口 " + sim->port()
                                            + " 已不存在: 设备可能已被拔出."}); // the port went with the unit
        QCOMPARE(TestSupport::connectionState(page), TestSupport::Disconnected);
        QVERIFY(!w.Serial_Service->isPortOpen());
        delete sim;

        SimUnderTest second; // the service is usable again with a new unit
        QVERIFY(second.started());
        w.Serial_Service->Add_Extra_Port(second.port());
        page->Function_USART_COM_LA_UPDAT();
        QVERIFY(goOnline(w, second.port()));
    }

    void portThatMayNotBeOpenedSaysWhyAndHowToFixIt()
    {
        PtyPair pty;
        const QByteArray path = pty.slavePath().toLocal8Bit();
        StartOptions o;
        o.ports = QStringList{pty.slavePath()};
        MainWindow w(nullptr, o);
        // As root the test opens the port as nobody; as anyone else the node is made unreadable.
        const bool root = ::geteuid() == 0;
        if (!root)
            QCOMPARE(::chmod(path.constData(), 0), 0);
        QString text;
        const TestSupport::ModalCatcher answer(TestSupport::once([&text, root](QWidget *box) {
            if (root)
                QCOMPARE(::seteuid(0), 0);
            text = qobject_cast<QMessageBox *>(box)->text();
        }));
        if (root)
            QCOMPARE(::seteuid(65534), 0);
        QVERIFY(w.connectTo(pty.slavePath()));
        QCOMPARE(::geteuid(), root ? uid_t(0) : ::getuid());
        const QString group = QFileInfo(pty.slavePath()).group();
        // The group that gives the right, unless it is root's: no one is told to join root.
        QCOMPARE(text, "连接错误请检查端口号是否正确....\r\nPermission denied\r\n"
                           + (group == "root" ? QStringLiteral("没有使用此端口的权限, 请联系系统管理员.")
                                              : QStringLiteral("没有使用此端口的权限: 请把用户加入 \"%1\" 组 (sudo usermod -aG %1 "
                                                               "$USER), 然后重新登录.").arg(group)));
        QCOMPARE(TestSupport::connectionState(w.Ticket_Page), TestSupport::Disconnected);
    }

    void silentUnitIsAskedAgainAndAnswersLate()
    {
        PtyPair pty;
        StartOptions o;
        o.ports = QStringList{pty.slavePath()};
        MainWindow w(nullptr, o);
        QVERIFY(w.connectTo(pty.slavePath()));
        QElapsedTimer clock;
        clock.start();
        QByteArray asked;
        QList<qint64> at;
        while (at.size() < 3 && clock.elapsed() < 6000) {
            QTest::qWait(20);
            const QByteArray got = pty.readAll();
            if (!got.isEmpty())
                at << clock.elapsed();
            asked += got;
        }
        QCOMPARE(asked, QByteArray("ATSW+STATE+OK").repeated(3)); // nothing else on the line
        for (int i = 1; i < 3; ++i)
            QVERIFY2(qAbs(at.at(i) - at.at(i - 1) - 2000) < 400, qPrintable(QString::number(at.at(i) - at.at(i - 1))));
        const QString log = part<QTextEdit>(w.Ticket_Page, "USART_Log")->toPlainText();
        QCOMPARE(log.count(QStringLiteral("管理机没有应答,请检查电源和连接线.....")), 1);
        QCOMPARE(part<QLabel>(w.Ticket_Page, "State_Label")->text(), QStringLiteral("状态:无应答"));
        const QTextEdit *view = part<QTextEdit>(w.Ticket_Page, "USART_Log"); // the warning's first words stay in view
        QVERIFY(log.mid(view->cursorForPosition(QPoint(4, 4)).position()).startsWith(QStringLiteral("管理机没有应答")));
        pty.write("ATSW+V2.5+OK\r\n"); // a late answer brings the page online as the first would
        QTRY_COMPARE_WITH_TIMEOUT(part<QLabel>(w.Ticket_Page, "Version_Label")->text(), QStringLiteral("固件版本号:V2.5"), 3000);
        QTest::qWait(2300);
        QCOMPARE(pty.readAll(), QByteArray()); // and no more questions
    }

    void typedPathConnectsAndIsRemembered()
    {
        SimUnderTest sim;
        QVERIFY(sim.started());
        {
            MainWindow w;
            QComboBox *box = part<QComboBox>(w.Ticket_Page, "QC_COM_Choose");
            QVERIFY(box->findText(sim.port()) < 0); // pseudo-terminals are not listed
            box->lineEdit()->clear();
            QTest::keyClicks(box->lineEdit(), sim.port());
            w.Ticket_Page->Function_USART_COM_LA_UPDAT();
            w.Ticket_Page->COM_Count = -1; // a refill as when an adapter is plugged in
            w.Ticket_Page->Function_USART_COM_LA_UPDAT();
            QCOMPARE(box->currentText(), sim.port());
            part<QPushButton>(w.Ticket_Page, "QB_OPEN_USART")->click();
            QTRY_COMPARE_WITH_TIMEOUT(part<QLabel>(w.Ticket_Page, "State_Label")->text(), QStringLiteral("连接状态:在线"), 5000);
        }
        MainWindow next;
        QCOMPARE(part<QComboBox>(next.Ticket_Page, "QC_COM_Choose")->currentText(), sim.port());
    }
    // The window ended from outside (a logout, a service manager, a closed terminal): the port goes
    // with its lock file, and nothing is asked or saved.
    void windowEndsCleanlyOnSignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void windowEndsCleanlyOnSignal()
    {
        QFETCH(int, signal);
        SimUnderTest sim;
        QVERIFY(sim.started());
        QTemporaryDir folder;
        QProcess window;
        window.start(QStringLiteral(TQ_APP_PATH), {"--system-dir", folder.path(), "--connect", sim.port()});
        QTRY_VERIFY_WITH_TIMEOUT(sim.receivedTexts().contains("ATSW+STATE+OK"), 10000);
        QCOMPARE(PortProblem::lockFileOwner(sim.port()), window.processId());
        ::kill(pid_t(window.processId()), signal);
        QVERIFY(window.waitForFinished(10000));
        QCOMPARE(window.exitStatus(), QProcess::NormalExit);
        QCOMPARE(window.exitCode(), 128 + signal);
        QCOMPARE(PortProblem::lockFileOwner(sim.port()), qint64(0));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
    }

    // The unit takes the PC's local time: it refuses a date that does not exist or a wrong weekday.
    void timeSyncReachesTheUnit()
    {
        Connected c;
        QVERIFY(c.online);
        const QDateTime before = QDateTime::currentDateTime();
        QCOMPARE(runBatch(part<QPushButton>(c.window.Ticket_Page, "PB_Time_syn_sned")).progress, 100);
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
        MainWindow w(nullptr, withPort(sim.port()));
        Function_One *page = w.Ticket_Page;
        QVERIFY(w.connectTo(sim.port()));
        QTRY_COMPARE_WITH_TIMEOUT(sim.journal("tx").size(), simOptions.contains("--split-replies") ? 2 : 1, 3000);
        QTest::qWait(100);
        // A state reply in two halves is no state reply.
        QCOMPARE(part<QLabel>(page, "State_Label")->text() == QStringLiteral("连接状态:在线"), !simOptions.contains("--split-replies"));
        page->Receive_Data("ATSW+V2.1+OK\r\n"); // let the buttons work for the rest of the test
        typeName(page, 0)->setText("A");
        typeName(page, 1)->setText("B");
        const auto out = runBatch(part<QPushButton>(page, "TYPE_PB_SET"), 1000);
        QCOMPARE(sim.receivedTexts().mid(1), QStringList{"ATLW+1+A+OK"});
        QCOMPARE(out.sentCount, 1);
        QVERIFY(!out.log.contains(QStringLiteral("发送完成")));
    }

    void composeWriteAndPrint()
    {
        Connected c;
        QVERIFY(c.online);
        Function_One *page = c.window.Ticket_Page;
        { // the line editor, as the operator fills it
            const TestSupport::ModalCatcher answer(TestSupport::once([](QWidget *modal) {
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
            }));
            part<QPushButton>(page, "QB_Add_Line")->click();
        }
        QCOMPARE(page->Print_Line[0], QStringLiteral("ATPW+0+N+M+欢迎光临+SIZE:B+OK"));
        QVERIFY(part<QTextBrowser>(page, "Print_Preview")->toPlainText().contains(QStringLiteral("前面还有99人等待")));
        QCOMPARE(runBatch(part<QPushButton>(page, "Print_Write_Push")).progress, 100);

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
        QTest::addColumn<QString>("recorded"); // result, packages of total
        const QString done = QStringLiteral("升级完成5s后进入主程序...");
        QTest::newRow("51200 bytes") << 51200 << QStringList{} << done << "ok 51/51";
        QTest::newRow("malformed request survived") << 3000 << QStringList{"--corrupt-request"} << done << "ok 3/3";
        QTest::newRow("stalled unit times out") << 10000 << QStringList{"--stall-after", "2"} << "响应超时请重新尝试....."
                                                << "failed 3/10";
        QTest::newRow("no bootloader answers") << 2048 << QStringList{"--silent", "ATUP"} << "响应超时请重新尝试....." << "failed 0/3";
    }
    void upgrade()
    {
        QFETCH(int, size);
        QFETCH(QStringList, simOptions);
        QFETCH(QString, lastLine);
        QFETCH(QString, recorded);
        const QString imagePath = writeImage(size);
        const QString outPath = Dir.filePath("assembled.bin");
        QFile::remove(outPath);
        Connected c(QStringList{"--bootloader", "--image-out", outPath} + simOptions);
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
        // The window's record: the transfer, the image's hash, the bootloader's commands as sent.
        c.window.Record->flush();
        const QJsonObject r = QJsonDocument::fromJson(TestSupport::contentOf(c.window.Record->path()).trimmed().split('\n').last()).object();
        QCOMPARE(QStringLiteral("%1 %2/%3").arg(r.value("result").toString()).arg(r.value("packages").toInt(-1)).arg(r.value("packageTotal").toInt(-1)),
                 recorded);
        QCOMPARE(r.value("unit").toString(), c.sim.port());
        QCOMPARE(r.value("firmware").toString(), "VB2.1");
        QCOMPARE(r.value("imageSha256").toString(), QString(QCryptographicHash::hash(TestSupport::contentOf(imagePath), QCryptographicHash::Sha256).toHex()));
        QCOMPARE(r.value("imageSize").toInt(), size);
        QByteArray commands;
        for (const QJsonObject &e : c.sim.journal("rx"))
            if (e.value("text").toString().startsWith("ATUP"))
                commands += QByteArray::fromHex(e.value("hex").toString().toLatin1());
        QCOMPARE(r.value("commandsSha256").toString(), QString(QCryptographicHash::hash(commands, QCryptographicHash::Sha256).toHex()));
        if (simOptions.contains("--silent")) {
            QVERIFY(!log.contains(QStringLiteral("正在发送")));
        } else if (simOptions.contains("--stall-after")) { // the second request is the last one answered
            QVERIFY2(log.contains(QRegularExpression("正在发送 2 package....")), qPrintable(log));
            QVERIFY(!log.contains(QStringLiteral("正在发送 3")));
        } else {
            QCOMPARE(TestSupport::contentOf(outPath), TestSupport::contentOf(imagePath));
        }
    }

    void pairingCycles()
    {
        Connected c({"--key-delay", "100"});
        QVERIFY(c.online);
        Function_One *page = c.window.Ticket_Page;
        QStringList seen;
        const TestSupport::ModalCatcher answer(TestSupport::once([&seen](QWidget *m) {
            auto *d = qobject_cast<Pair_Mode_Handle *>(m);
            seen << d->windowTitle();
            QTRY_COMPARE(d->Type_State[4]->text(), QStringLiteral("类型 5 : ---")); // the page passed the replies on
            d->Type_Choose->setCurrentIndex(0);
            d->Set_up_Button->click();
            QTRY_COMPARE(d->State_Text->text(), QStringLiteral("类型 1 匹配成功."));
            seen << d->Type_State[0]->text() << d->pictureName();
            d->Type_Choose->setCurrentIndex(1);
            d->Set_up_Button->click();
            QTRY_COMPARE(d->pictureName(), QStringLiteral(":/Res/Pic/ADD_ERROR.png"));
            seen << d->State_Text->text();
        }));
        part<QPushButton>(page, "Pair_Set_Push")->click();
        QCOMPARE(seen, (QStringList{"Pair Mode", "类型 1 : 1001", ":/Res/Pic/ADD_OVER.png", "此叫号器已经与类型 1 配对..."}));
        QCOMPARE(c.sim.receivedTexts().mid(1), (QStringList{"ATAW+READ+ALL+OK", "ATAW+ADD+1+OK", "ATAW+ADD+2+OK"}));
    }
    // The unit answers the pairing window's read with five replies; a late reader gets them in one
    // read. The window shows the same either way.
    void pairingRepliesApartOrTogether_data()
    {
        QTest::addColumn<int>("pauseMs");
        QTest::newRow("apart") << 60;
        QTest::newRow("in one write") << 0;
    }
    void pairingRepliesApartOrTogether()
    {
        QFETCH(int, pauseMs);
        PtyPair pty;
        MainWindow w(nullptr, withPort(pty.slavePath()));
        QVERIFY(w.connectTo(pty.slavePath()));
        QByteArray got;
        QTRY_COMPARE((got += pty.readAll()), QByteArray("ATSW+STATE+OK"));
        pty.write("ATSW+V2.1+OK\r\n");
        QTRY_VERIFY(part<QPushButton>(w.Ticket_Page, "Pair_Set_Push")->isEnabled());
        QStringList shown;
        const TestSupport::ModalCatcher answer(TestSupport::once([&](QWidget *m) {
            auto *d = qobject_cast<Pair_Mode_Handle *>(m);
            QTRY_COMPARE((got += pty.readAll()), QByteArray("ATSW+STATE+OKATAW+READ+ALL+OK"));
            const QByteArrayList replies{"ATAW+1+READ+---\r\n", "ATAW+2+READ+1001\r\n", "ATAW+3+READ+---\r\n",
                                         "ATAW+4+READ+1002\r\n", "ATAW+5+READ+1003\r\n"};
            for (const QByteArray &reply : replies) {
                pty.write(reply);
                QTest::qWait(pauseMs);
            }
            QTRY_COMPARE(d->Type_State[4]->text(), QStringLiteral("类型 5 : 1003"));
            for (QLabel *line : d->Type_State)
                shown << line->text();
        }));
        part<QPushButton>(w.Ticket_Page, "Pair_Set_Push")->click();
        QCOMPARE(shown, (QStringList{"类型 1 : ---", "类型 2 : 1001", "类型 3 : ---", "类型 4 : 1002", "类型 5 : 1003"}));
    }

private:    QString writeImage(int size)
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
        const TestSupport::ModalCatcher catcher([&started, done](QWidget *m) {
            auto *d = qobject_cast<Bootloader_Handle *>(m);
            if (!started) {
                started = true;
                d->Open_Button->click();
                d->Update_Button->click();
                return false;
            }
            return done(d);
        });
        w.ui->Boot_Handl->trigger();
    }

    QTemporaryDir Dir;
};

QTEST_MAIN(tst_E2e)
#include "tst_e2e.moc"
