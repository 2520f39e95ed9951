// The serial service and the main window against a real pseudo-terminal.
#include "E2eSupport.h"
#include "app/AppSetup.h"
#include "app/SystemDir.h"
#include "serial/Function_USART.h"
#include "serial/IUsart_dis.h"
#include "testsupport/PageState.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <numeric>

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {
class Recorder : public IUsart_dis
{
public:
    void Receive_Data(QString dat) override { texts << dat; }
    void Link_Lost() override { ++lost; }
    QStringList texts;
    int lost = 0;
};
} // namespace

class tst_E2eSerial : public QObject
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
        QTest::newRow("two replies within 30 ms are one text")
            << QList<QByteArray>{"ATNW+1+OK!\r\n", "ATNW+2+OK!\r\n"} << 5 << QStringList{"ATNW+1+OK!\r\nATNW+2+OK!\r\n"};
        QTest::newRow("a pause of 30 ms or more splits")
            << QList<QByteArray>{"ATLW+3+", "OK!\r\n"} << 120 << QStringList{"ATLW+3+", "OK!\r\n"};
        QTest::newRow("GBK decoded") << QList<QByteArray>{QByteArray("ATAW+1+READ+\xc0\xe0\xd0\xcd\r\n")} << 0
                                     << QStringList{QStringLiteral("ATAW+1+READ+类型\r\n")};
    }
    void bursts()
    {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(int, pauseMs);
        QFETCH(QStringList, texts);
        PtyPair pty;
        Recorder rec;
        Function_USART service(nullptr);
        service.Set_Receiver(&rec);
        QVERIFY(service.USART_Open(pty.slavePath()));
        for (int i = 0; i < chunks.size(); ++i) {
            if (i > 0)
                QTest::qWait(pauseMs);
            pty.write(chunks.at(i));
        }
        QTRY_COMPARE_WITH_TIMEOUT(rec.texts.size(), texts.size(), 3000);
        QTest::qWait(100); // nothing more may follow
        QCOMPARE(rec.texts, texts);
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
        QByteArray got;
        const QByteArray expected = QByteArray("ATLW+2+\xc6\xd5\xcd\xa8\xce\xc4\xb1\xbe+OK") + QByteArray((const char *)raw, 7);
        QTRY_COMPARE_WITH_TIMEOUT((got += pty.readAll()), expected, 3000);
        service.USART_Close();
        QVERIFY(!service.isPortOpen());
        service.USART_Send("ATSW+STATE+OK");
        QTest::qWait(50);
        QCOMPARE(pty.readAll(), QByteArray());
    }

    void peerThatNeverPausesIsDeliveredInBoundedBursts()
    {
        PtyPair pty;
        Recorder rec;
        Function_USART service(nullptr);
        service.Set_Receiver(&rec);
        QVERIFY(service.USART_Open(pty.slavePath()));
        for (int i = 0; i < 200; ++i) {
            pty.write(QByteArray(1024, 'x'));
            QTest::qWait(2); // far below the 30 ms gap: the burst never ends by itself
        }
        const auto total = [&rec] {
            return std::accumulate(rec.texts.cbegin(), rec.texts.cend(), 0, [](int n, const QString &t) { return n + t.size(); });
        };
        QTRY_COMPARE_WITH_TIMEOUT(total(), 200 * 1024, 10000);
        QVERIFY(rec.texts.size() >= 3);
        for (const QString &t : qAsConst(rec.texts))
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
        MainWindow w(nullptr, E2e::withPort(sim->port()));
        QVERIFY(E2e::goOnline(w, sim->port()));
        Set_Language_Code(uint8_t(language));
        Function_One *page = w.Ticket_Page;
        TestSupport::ModalCatcher boxes;
        sim->kill();
        QTRY_COMPARE_WITH_TIMEOUT(page->QB_OPEN_USART->text(), QStringLiteral("连接设备"), 5000);
        QTest::qWait(200); // a storm of hang-up errors would show more boxes now
        QCOMPARE(boxes.titles(), QStringList{title});
        QCOMPARE(boxes.texts(), QStringList{"设备连接发生异常请关闭所有操作并保持电脑和设备的可靠连接！"});
        QCOMPARE(TestSupport::connectionState(page), TestSupport::disconnected());
        QVERIFY(!w.Serial_Service->isPortOpen());
        delete sim;

        SimUnderTest second; // the service is usable again with a new unit
        QVERIFY(second.started());
        w.Serial_Service->Add_Extra_Port(second.port());
        page->Function_USART_COM_LA_UPDAT();
        QVERIFY(E2e::goOnline(w, second.port()));
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
        TestSupport::answerNextModal([&text, root](QWidget *box) {
            if (root)
                QCOMPARE(::seteuid(0), 0);
            text = qobject_cast<QMessageBox *>(box)->text();
        });
        if (root)
            QCOMPARE(::seteuid(65534), 0);
        QVERIFY(w.connectTo(pty.slavePath()));
        QCOMPARE(::geteuid(), root ? uid_t(0) : ::getuid());
        const QString group = QFileInfo(pty.slavePath()).group();
        QCOMPARE(text, QStringLiteral("连接错误请检查端口号是否正确....\r\nPermission denied\r\n"
                                      "没有使用此端口的权限: 请把用户加入 \"%1\" 组 (sudo usermod -aG %1 $USER), 然后重新登录.")
                           .arg(group));
        QCOMPARE(TestSupport::connectionState(w.Ticket_Page), TestSupport::disconnected());
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
        const QString log = w.Ticket_Page->USART_Log->toPlainText();
        QCOMPARE(log.count(QStringLiteral("管理机没有应答,请检查电源和连接线.....")), 1);
        pty.write("ATSW+V2.5+OK\r\n"); // a late answer brings the page online as the first would
        QTRY_COMPARE_WITH_TIMEOUT(w.Ticket_Page->Version_Label->text(), QStringLiteral("固件版本号:V2.5"), 3000);
        QTest::qWait(2300);
        QCOMPARE(pty.readAll(), QByteArray()); // and no more questions
    }

    void typedPathConnectsAndIsRemembered()
    {
        SimUnderTest sim;
        QVERIFY(sim.started());
        {
            MainWindow w;
            QComboBox *box = w.Ticket_Page->QC_COM_Choose;
            QVERIFY(box->findText(sim.port()) < 0); // pseudo-terminals are not listed
            box->lineEdit()->clear();
            QTest::keyClicks(box->lineEdit(), sim.port());
            w.Ticket_Page->Function_USART_COM_LA_UPDAT();
            Function_One::COM_Count = -1; // a refill as when an adapter is plugged in
            w.Ticket_Page->Function_USART_COM_LA_UPDAT();
            QCOMPARE(box->currentText(), sim.port());
            w.Ticket_Page->QB_OPEN_USART->click();
            QTRY_COMPARE_WITH_TIMEOUT(w.Ticket_Page->State_Label->text(), QStringLiteral("连接状态:在线"), 5000);
        }
        Function_One::COM_Count = 0;
        MainWindow next;
        QCOMPARE(next.Ticket_Page->QC_COM_Choose->currentText(), sim.port());
    }

private:
    QTemporaryDir Dir;
};

QTEST_MAIN(tst_E2eSerial)
#include "tst_e2e_serial.moc"
