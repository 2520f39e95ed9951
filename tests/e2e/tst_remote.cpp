// Units in other shops: Debian's ser2net in front of simulators' pseudo-terminals, over RFC 2217, raw
// TCP and TLS, direct and through a proxy that cuts replies into late pieces. What a unit receives
// must equal what the same unit gets over its pty; an unverified server gets nothing.
#include "app/AppSetup.h"
#include "app/MainWindow.h"
#include "ticket/SystemDir.h"
#include "device/Function_USART.h"
#include "testsupport/PageState.h"
#include "testsupport/RemoteUnits.h"
#include "testsupport/TestSupport.h"
#include "ticket/SettingsCodec.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTextEdit>
#include <QtTest>

#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace RemoteUnits;
using TestSupport::part;

namespace {
struct Run {
    int exitCode = -1;
    QString out;
    double peakMb = 0; // the tool's highest resident memory
};

double peakMb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    const QList<QByteArray> lines = status.open(QIODevice::ReadOnly) ? status.readAll().split('\n') : QList<QByteArray>();
    for (const QByteArray &line : lines)
        if (line.startsWith("VmHWM:"))
            return line.mid(6).simplified().split(' ').value(0).toDouble() / 1024;
    return 0;
}

// tqmanage-cli to the end, with this process's event loop running (the proxy and the hostile
// servers live in it); `command` may start it otherwise (as another user).
Run cli(const QStringList &arguments, std::function<void()> during = {},
        const QStringList &command = {QStringLiteral(TQ_CLI_PATH)})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.first(), command.mid(1) + arguments);
    process.waitForStarted();
    Run run;
    QElapsedTimer clock;
    clock.start();
    while (process.state() != QProcess::NotRunning && clock.elapsed() < 120000) {
        run.peakMb = qMax(run.peakMb, peakMb(process.processId()));
        QTest::qWait(20);
        if (during)
            during();
    }
    run.exitCode = TestSupport::exitCodeOf(process);
    run.out = QString::fromUtf8(process.readAll());
    return run;
}

// A server that never accepts, its queue full: a connect to it never completes.
struct Unanswered {
    Unanswered()
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(fd, reinterpret_cast<sockaddr *>(&address), length);
        ::listen(fd, 0);
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
        port = ntohs(address.sin_port);
        for (auto &filler : fillers) // the queue holds one; the rest wait for ever
            filler.connectToHost(QHostAddress::LocalHost, port);
        QTest::qWait(100);
    }
    ~Unanswered() { ::close(fd); }
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    quint16 port = 0;
    QTcpSocket fillers[3];
};

// Com Port Control notifications no client knows, as fast as the client takes them.
class NotificationFlood : public QTcpServer
{
public:
    NotificationFlood()
    {
        listen(QHostAddress::LocalHost);
        for (int i = 0; i < 9000; ++i)
            Block += QByteArray("\xff\xfa\x2c\x6c\x00\xff\xf0", 7);
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *client = nextPendingConnection();
            client->write("\xff\xfd\x2c"); // agrees to Com Port Control, never confirms a setting
            auto *pump = new QTimer(client);
            connect(pump, &QTimer::timeout, client, [client, this] {
                if (client->bytesToWrite() < 4 * Block.size())
                    client->write(Block);
            });
            pump->start(0);
        });
    }

private:
    QByteArray Block;
};

// The unit's address through ser2net, and through the splitting proxy when asked.
struct Remote {
    Remote(const QString &kind, const QString &device, const Certificates &certs, bool split, const QString &cert = "server.pem")
        : server({{kind, device, certs.file(cert)}})
    {
        const QString query = kind.endsWith("+tls") ? "ca=" + certs.file("ca.pem") : QString();
        address = server.address(0, query);
        if (split) {
            proxy = std::make_unique<SplitProxy>(server.port(0));
            address.replace(QString::number(server.port(0)), QString::number(proxy->port()));
        }
    }
    Ser2net server;
    std::unique_ptr<SplitProxy> proxy;
    QString address;
};
} // namespace

class tst_Remote : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("ser2net").isEmpty() || QStandardPaths::findExecutable("openssl").isEmpty())
            QSKIP("needs Debian's ser2net and openssl (tools/setup.sh installs them)");
        AppSetup::initResources();
        QVERIFY(Dir.isValid());
        SystemDir::setOverride(Dir.path());
        QVERIFY(Certs.made());
        SettingsCodec::Settings s;
        s.lines[0] = "ATPW+0+N+M+欢迎光临+SIZE:B+OK";
        s.typeNames[1] = "普通";
        s.typeNames[4] = "VIP";
        s.networkIdIndex = 42;
        Settings = Dir.filePath("shop.ini");
        QVERIFY(TestSupport::writeFile(Settings, SettingsCodec::encode(s)));
        Image = Dir.filePath("image.bin");
        QVERIFY(TestSupport::writeFile(Image, TestSupport::randomBytes(51136, 2217) + QByteArray(64, '\xff')));
        SimUnderTest cable;
        QVERIFY(cable.started());
        QCOMPARE(cli({"apply", Settings, "--port", cable.port()}).exitCode, 0);
        Over_Cable = cable.receivedTexts();
        QCOMPARE(Over_Cable.size(), 17); // state, ten lines, two names, four parameters
    }

    void apply_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("split");
        for (const char *kind : {"rfc2217", "socket", "rfc2217+tls", "socket+tls"}) {
            QTest::newRow(kind) << kind << false;
            QTest::newRow(qPrintable(QString(kind) + ", split and delayed")) << kind << true;
        }
        QTest::newRow("the simulator's own --listen --rfc2217") << "listen" << false;
    }
    void apply()
    {
        QFETCH(QString, kind);
        QFETCH(bool, split);
        const bool own = kind == "listen";
        SimUnderTest sim(own ? QStringList{"--listen", "127.0.0.1:0", "--rfc2217"} : QStringList{});
        QVERIFY(sim.started());
        std::unique_ptr<Remote> remote;
        if (!own) {
            remote = std::make_unique<Remote>(kind, sim.port(), Certs, split);
            QVERIFY(remote->server.started());
        }
        const Run run = cli({"apply", Settings, "--port", own ? sim.port() : remote->address});
        QVERIFY2(run.exitCode == 0, qPrintable(run.out));
        QCOMPARE(sim.receivedTexts(), Over_Cable);
    }

    void upgrade_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("split");
        QTest::newRow("rfc2217") << "rfc2217" << false;
        QTest::newRow("rfc2217, split and delayed") << "rfc2217" << true;
        QTest::newRow("raw TCP") << "socket" << false;
        QTest::newRow("rfc2217 in TLS") << "rfc2217+tls" << false;
    }
    void upgrade()
    {
        QFETCH(QString, kind);
        QFETCH(bool, split);
        const QString out = Dir.filePath("assembled.bin");
        QFile::remove(out);
        SimUnderTest sim({"--bootloader", "--image-out", out});
        QVERIFY(sim.started());
        Remote remote(kind, sim.port(), Certs, split);
        QVERIFY(remote.server.started());
        const Run run = cli({"upgrade", Image, "--port", remote.address});
        QVERIFY2(run.exitCode == 0, qPrintable(run.out));
        QCOMPARE(TestSupport::contentOf(out), TestSupport::contentOf(Image)); // 0xFF bytes included
    }

    // A server whose certificate another CA signed gets not one byte of the unit's traffic.
    void unverifiedServerGetsNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("error");
        QTest::newRow("other CA") << "rfc2217+tls" << "ca=" + Certs.file("ca.pem") << "TLS verification failed: the certificate \"shop-rogue\"";
        QTest::newRow("system store") << "socket+tls" << QString() << "TLS verification failed";
        QTest::newRow("missing CA file") << "rfc2217+tls" << "ca=" + Dir.filePath("none.pem")
                                         << "cannot connect: CA file " + Dir.filePath("none.pem") + ": the file does not exist";
    }
    void unverifiedServerGetsNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, query);
        QFETCH(QString, error);
        SimUnderTest sim;
        QVERIFY(sim.started());
        Ser2net server({{kind, sim.port(), Certs.file("rogue.pem")}});
        QVERIFY(server.started());
        const Run run = cli({"state", "--port", server.address(0, query)});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.contains(error), qPrintable(run.out));
        QTest::qWait(300);
        QCOMPARE(sim.receivedTexts(), QStringList());
        // insecure reaches it, and says so, in the JSON too.
        const Run risky = cli({"state", "--json", "--port", server.address(0, "insecure")});
        QVERIFY2(risky.exitCode == 0 && risky.out.contains("\"warnings\": [")
                     && risky.out.contains(": the server's certificate is NOT verified (insecure)\""),
                 qPrintable(risky.out));
    }

    // ser2net's clientauth, as the README sets it up: the unit's traffic only from a client showing a
    // certificate of the chain's CA; a client key is used only when it is private and fits.
    void clientCertificate_data()
    {
        QTest::addColumn<QString>("cert");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("says");
        const QString office = Certs.file("office.pem"), key = Certs.file("office.key");
        QTest::newRow("with cert and key") << office << key << 0600 << "V2.1";
        QTest::newRow("without") << "" << "" << 0600 << "cannot connect: The server closed the connection";
        QTest::newRow("key the group may read (Debian's ssl-cert)") << office << key << 0640
                                                                    << "users of the file's group can read this private key";
        QTest::newRow("key others may read") << office << key << 0644 << "other users can read this private key, so it is not used; run chmod 600 ";
        QTest::newRow("missing key") << office << Dir.filePath("none.key") << 0600 << "none.key: the file does not exist";
        QTest::newRow("garbage key") << office << "garbage" << 0600 << ": not a PEM file";
        QTest::newRow("passphrase") << office << "passphrase" << 0600 << "the private key is protected by a passphrase, which is not supported";
        QTest::newRow("key of another certificate") << office << Certs.file("rogue.key") << 0600
                                                    << "the private key does not belong to the certificate " + office;
        QTest::newRow("key this user may not read") << office << key << 0600 << "cannot be read (Permission denied)";
    }
    void clientCertificate()
    {
        QFETCH(QString, cert);
        QFETCH(QString, key);
        QFETCH(int, mode);
        QFETCH(QString, says);
        SimUnderTest sim;
        QVERIFY(sim.started());
        Ser2net server({{"rfc2217+tls", sim.port(), Certs.file("server.pem"), Certs.file("ca.pem")}});
        QVERIFY(server.started());
        // The files as the test needs them, in a folder anybody may enter.
        QTemporaryDir files;
        QVERIFY(QFile::setPermissions(files.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        const auto copy = [&files](const QString &from, const QString &name, QFile::Permissions permissions) {
            const QString to = files.filePath(name);
            QFile::copy(from, to);
            QFile::setPermissions(to, permissions);
            return to;
        };
        const QFile::Permissions readable = QFile::ReadOwner | QFile::ReadOther;
        const QString ca = copy(Certs.file("ca.pem"), "ca.pem", readable);
        QString query = "ca=" + ca;
        if (key == "garbage" || key == "passphrase") {
            QProcess::execute("openssl", {"pkey", "-in", Certs.file("office.key"), "-aes256", "-passout", "pass:x", "-out", files.filePath(key)});
            if (key == "garbage")
                TestSupport::writeFile(files.filePath(key), "not a key\n");
            key = files.filePath(key);
        }
        if (!cert.isEmpty()) {
            cert = copy(cert, "office.pem", readable);
            QFileDevice::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
            permissions |= mode & 040 ? QFile::ReadGroup : QFile::Permissions();
            permissions |= mode & 004 ? QFile::ReadOther : QFile::Permissions();
            key = QFile::exists(key) ? copy(key, "office.key", permissions) : key;
            query += "&cert=" + cert + "&key=" + key;
            says.replace(Certs.file("office.pem"), cert);
        }
        QStringList command{QStringLiteral(TQ_CLI_PATH)};
        if (QTest::currentDataTag() == QLatin1String("key this user may not read")) // a copy: the build may be private
            command = QStringList{"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                  copy(TQ_CLI_PATH, "tqmanage-cli", readable | QFile::ExeOwner | QFile::ExeOther)};
        const Run run = cli({"state", "--timeout", "2", "--port", server.address(0, query)}, {}, command);
        QVERIFY2(run.out.contains(says), qPrintable(run.out));
        const bool reached = says == "V2.1" || mode == 0640;
        QCOMPARE(run.exitCode, reached ? 0 : 1);
        QCOMPARE(sim.receivedTexts(), reached ? QStringList{"ATSW+STATE+OK"} : QStringList{});
    }

    // Broken and hostile servers: each failure is named as it is, none is blamed on the unit, and the
    // command line stays small whatever a server sends.
    void hostileServers_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("says");
        QTest::newRow("a connect that never completes") << "unanswered" << "socket://127.0.0.1:%1"
                                                        << "failed: cannot connect: Timed out: 127.0.0.1:%1 did not answer within 5 seconds";
        QTest::newRow("TLS 1.1 only") << "tls1.1" << "socket+tls://127.0.0.1:%1?insecure"
                                      << "failed: cannot connect: TLS handshake failed: 127.0.0.1:%1: Error during SSL handshake: ";
        QTest::newRow("plain telnet behind +tls") << "ser2net" << "rfc2217+tls://127.0.0.1:%1?insecure"
                                                  << "failed: cannot connect: TLS handshake failed: 127.0.0.1:%1: ";
        QTest::newRow("ser2net's port in use") << "in use" << "rfc2217://127.0.0.1:%1"
                                               << "failed: cannot connect: The server closed the connection: 127.0.0.1:%1: Port already in use";
        QTest::newRow("a telnet server on socket://") << "ser2net" << "socket://127.0.0.1:%1"
                                                      << "this server speaks telnet: use rfc2217://";
        QTest::newRow("notifications without end") << "flood" << "rfc2217://127.0.0.1:%1"
                                                   << "failed: the unit does not answer (waiting for ATSW+STATE+OK)";
        // Refused by the system inside connect() (a link-local address without an interface), not
        // by a server: the failure comes before the link is open and must still end the unit.
        QTest::newRow("refused before the link is open") << "none" << "socket://[fe80::1]:7001" << "failed: cannot connect: ";
    }
    void hostileServers()
    {
        QFETCH(QString, server);
        QFETCH(QString, address);
        QFETCH(QString, says);
        SimUnderTest sim;
        QVERIFY(sim.started());
        quint16 port = 0;
        std::unique_ptr<Unanswered> unanswered;
        std::unique_ptr<Ser2net> ser2net;
        std::unique_ptr<NotificationFlood> flood;
        QProcess openssl;
        QTcpSocket holder; // the one connection ser2net allows
        if (server == "unanswered") {
            unanswered = std::make_unique<Unanswered>();
            port = unanswered->port;
        } else if (server == "tls1.1") {
            port = freePort();
            openssl.start("openssl", {"s_server", "-accept", QStringLiteral("127.0.0.1:%1").arg(port), "-cert", Certs.file("server.pem"),
                                      "-key", Certs.file("server.key"), "-min_protocol", "TLSv1.1", "-max_protocol", "TLSv1.1",
                                      "-cipher", "DEFAULT@SECLEVEL=0"});
            QTRY_VERIFY([port] {
                QTcpSocket probe;
                probe.connectToHost(QHostAddress::LocalHost, port);
                return probe.waitForConnected(100);
            }());
        } else if (server == "none") {
            // Nothing listens: the system refuses before any server could.
        } else if (server == "flood") {
            flood = std::make_unique<NotificationFlood>();
            port = flood->serverPort();
        } else {
            ser2net = std::make_unique<Ser2net>(QList<Ser2net::Accepter>{{"rfc2217", sim.port(), {}}});
            QVERIFY(ser2net->started());
            port = ser2net->port(0);
            if (server == "in use") {
                holder.connectToHost(QHostAddress::LocalHost, port);
                QVERIFY(holder.waitForConnected(5000));
                QTRY_VERIFY(holder.bytesAvailable() > 0);
            }
        }
        const bool upgrade = QTest::currentDataTag() == QLatin1String("a telnet server on socket://");
        const Run run = cli(QStringList{upgrade ? "upgrade" : "state"} + (upgrade ? QStringList{Image} : QStringList{})
                            + QStringList{"--timeout", server == "flood" || upgrade ? "3" : "1", "--port", address.arg(port)});
        openssl.kill();
        openssl.waitForFinished();
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.contains(says.contains("%1") ? says.arg(port) : says) && !run.out.contains("port lost"), qPrintable(run.out));
        if (upgrade) // the state goes through a telnet server on socket://, the firmware does not
            QVERIFY2(run.out.contains("failed: No firmware update over this link"), qPrintable(run.out));
#ifndef __SANITIZE_ADDRESS__ // whose allocator keeps freed memory aside on purpose
        QVERIFY2(run.peakMb < 100, qPrintable(QString::number(run.peakMb)));
#endif
    }

    // The window waits for the link before it asks the unit: a server that is never reached is not
    // a silent unit, and is told as a port that cannot be opened; insecure is said in the log.
    void windowWaitsForTheLink()
    {
        Unanswered server;
        const QString address = QStringLiteral("socket+tls://127.0.0.1:%1?insecure").arg(server.port);
        MainWindow w;
        Function_One *page = w.Ticket_Page;
        part<QComboBox>(page, "QC_COM_Choose")->setEditText(address);
        TestSupport::ModalCatcher boxes;
        part<QPushButton>(page, "QB_OPEN_USART")->click();
        QCOMPARE(part<QLabel>(page, "State_Label")->text(), QStringLiteral("状态:连接中"));
        QCOMPARE(part<QLabel>(page, "State_Label")->toolTip(),
                 QStringLiteral("管理机位置: %1\n服务器的证书没有验证 (insecure)").arg(address));
        QTRY_COMPARE_WITH_TIMEOUT(boxes.count(), 1, 10000);
        QCOMPARE(boxes.texts().constFirst(), QStringLiteral("连接错误请检查端口号是否正确....\r\n连接超时: 127.0.0.1:%1 在 5 秒内没有应答").arg(server.port));
        const QString log = part<QTextEdit>(page, "USART_Log")->toPlainText();
        QVERIFY2(log.contains("注意: 服务器的证书没有验证 (insecure)") && !log.contains("管理机没有应答"), qPrintable(log));
        QCOMPARE(TestSupport::connectionState(page), TestSupport::Disconnected);

        // A connection the system refuses inside connect() is a box at once, not a label left at
        // "connecting" for ever.
        part<QComboBox>(page, "QC_COM_Choose")->setEditText(QStringLiteral("socket://[fe80::1]:7001"));
        part<QPushButton>(page, "QB_OPEN_USART")->click();
        QTRY_COMPARE_WITH_TIMEOUT(boxes.count(), 2, 10000);
        QVERIFY2(boxes.texts().constLast().startsWith(QStringLiteral("连接错误请检查端口号是否正确....\r\n")), qPrintable(boxes.texts().constLast()));
        QCOMPARE(TestSupport::connectionState(page), TestSupport::Disconnected);
    }

    // The server going away in mid-batch is an unplugged cable: the unit is reported lost.
    void droppedConnectionMidBatch()
    {
        SimUnderTest sim({"--ack-delay", "150"});
        QVERIFY(sim.started());
        Ser2net server({{"rfc2217", sim.port(), {}}});
        QVERIFY(server.started());
        const Run run = cli({"apply", Settings, "--port", server.address(0)}, [&] {
            if (sim.receivedTexts().size() == 4)
                server.kill();
        });
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.contains("port lost: The server closed the connection: 127.0.0.1:"), qPrintable(run.out));
    }

    // The window connects to a typed address, lists and remembers it; a dropped server is one box
    // that says why, and the page is back to not connected.
    void windowConnectsToTypedAddress()
    {
        SimUnderTest sim;
        QVERIFY(sim.started());
        Ser2net server({{"rfc2217", sim.port(), {}}});
        QVERIFY(server.started());
        const QString address = server.address(0);
        {
            MainWindow w;
            Function_One *page = w.Ticket_Page;
            part<QComboBox>(page, "QC_COM_Choose")->lineEdit()->clear();
            QTest::keyClicks(part<QComboBox>(page, "QC_COM_Choose")->lineEdit(), address);
            part<QPushButton>(page, "QB_OPEN_USART")->click();
            QTRY_COMPARE_WITH_TIMEOUT(part<QLabel>(page, "State_Label")->text(), QStringLiteral("连接状态:在线"), 10000);
            QVERIFY(w.Serial_Service->USART_COM_List().contains(address));
            TestSupport::ModalCatcher boxes;
            server.kill();
            QTRY_COMPARE_WITH_TIMEOUT(TestSupport::connectionState(page), TestSupport::Disconnected, 10000);
            QTest::qWait(200);
            QCOMPARE(boxes.count(), 1);
            QVERIFY2(boxes.texts().constFirst().contains("设备连接发生异常") && boxes.texts().constFirst().contains("服务器关闭了连接"),
                     qPrintable(boxes.texts().join('|')));
        }
        MainWindow next; // listed and shown at the next start
        QCOMPARE(part<QComboBox>(next.Ticket_Page, "QC_COM_Choose")->currentText(), address);
        QVERIFY(part<QComboBox>(next.Ticket_Page, "QC_COM_Choose")->findText(address) >= 0);
    }

private:
    QTemporaryDir Dir;
    Certificates Certs;
    QString Settings;
    QString Image;
    QStringList Over_Cable;
};

QTEST_MAIN(tst_Remote)
#include "tst_remote.moc"
