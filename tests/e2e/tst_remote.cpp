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
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

using namespace RemoteUnits;
using TestSupport::part;

namespace {
struct Run {
    int exitCode = -1;
    QString out;
};

// tqmanage-cli to the end, with this process's event loop running (the proxy lives in it).
Run cli(const QStringList &arguments, std::function<void()> during = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(TQ_CLI_PATH), arguments);
    process.waitForStarted();
    QElapsedTimer clock;
    clock.start();
    while (process.state() != QProcess::NotRunning && clock.elapsed() < 120000) {
        QTest::qWait(20);
        if (during)
            during();
    }
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

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
        QTest::newRow("unreadable CA file") << "rfc2217+tls" << "ca=" + Dir.filePath("none.pem") << "Cannot read the certificate";
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
        // insecure reaches it, and says so.
        const Run risky = cli({"state", "--port", server.address(0, "insecure")});
        QVERIFY2(risky.exitCode == 0 && risky.out.contains("NOT verified"), qPrintable(risky.out));
    }

    // A server that demands a client certificate gets the unit's traffic only from a client showing one.
    void clientCertificate_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("reached");
        QTest::newRow("with cert and key") << "&cert=" + Certs.file("office.pem") + "&key=" + Certs.file("office.key") << true;
        QTest::newRow("without") << QString() << false;
    }
    void clientCertificate()
    {
        QFETCH(QString, query);
        QFETCH(bool, reached);
        const quint16 port = freePort();
        QProcess server;
        server.start("openssl", {"s_server", "-accept", QStringLiteral("127.0.0.1:%1").arg(port), "-cert", Certs.file("server.pem"),
                                 "-key", Certs.file("server.key"), "-CAfile", Certs.file("ca.pem"), "-Verify", "1"});
        QVERIFY(server.waitForStarted());
        QTRY_VERIFY([port] {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port);
            return probe.waitForConnected(100);
        }());
        const Run run = cli({"state", "--timeout", "1", "--port",
                             QStringLiteral("socket+tls://127.0.0.1:%1?ca=%2").arg(port).arg(Certs.file("ca.pem")) + query});
        QCOMPARE(run.exitCode, 1); // s_server is no unit: it never answers
        server.kill();
        server.waitForFinished();
        QCOMPARE(server.readAllStandardOutput().contains("ATSW+STATE+OK"), reached);
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
        Function_One::COM_Count = 0;
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
