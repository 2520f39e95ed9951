// The serial service and the main window against a real pseudo-terminal.
#include "E2eSupport.h"
#include "app/AppSetup.h"
#include "app/SystemDir.h"
#include "serial/Function_USART.h"
#include "serial/IUsart_dis.h"
#include "testsupport/TestSupport.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <numeric>

#include <fcntl.h>
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

    void connectGoesOnlineWithTheUnitsVersion()
    {
        SimUnderTest sim({"--firmware-version", "V3.4"});
        QVERIFY(sim.started());
        MainWindow w(nullptr, E2e::withPort(sim.port()));
        QVERIFY(w.connectTo(sim.port()));
        Function_One *page = w.Ticket_Page;
        QTRY_COMPARE_WITH_TIMEOUT(page->Version_Label->text(), QStringLiteral("固件版本号:V3.4"), 5000);
        QCOMPARE(page->State_Label->text(), QStringLiteral("连接状态:在线"));
        for (QPushButton *b : page->commandButtons())
            QVERIFY(b->isEnabled());
        QCOMPARE(sim.texts("rx"), QStringList{"ATSW+STATE+OK"});
        QCOMPARE(page->USART_RX_dat, QStringLiteral("ATSW+V3.4+OK\r\n"));
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
            QVERIFY(t.size() <= Function_USART::ReadBufferLimit);
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
        QVERIFY(page->COM_Update_Timer->isActive());
        QVERIFY(!w.Serial_Service->isPortOpen());
        for (QPushButton *b : page->commandButtons())
            QVERIFY(!b->isEnabled());
        delete sim;

        SimUnderTest second; // the service is usable again with a new unit
        QVERIFY(second.started());
        w.Serial_Service->Add_Extra_Port(second.port());
        page->Function_USART_COM_LA_UPDAT();
        QVERIFY(E2e::goOnline(w, second.port()));
    }

private:
    QTemporaryDir Dir;
};

QTEST_MAIN(tst_E2eSerial)
#include "tst_e2e_serial.moc"
