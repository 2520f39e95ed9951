// Units that announce themselves, found through a real avahi-daemon. The test runs inside network
// namespaces of its own (netns.sh: only lo with 192.0.2.10, nothing reaches a real network) with a
// private system D-Bus, Debian's ser2net announcing simulators and avahi-publish for odd
// announcements; every process dies with the namespaces.
#include "app/AppSetup.h"
#include "app/MainWindow.h"
#include "device/Function_One.h"
#include "device/Function_USART.h"
#include "serial/UnitDiscovery.h"
#include "testsupport/PageState.h"
#include "testsupport/RemoteUnits.h"
#include "testsupport/TestSupport.h"
#include "ticket/SettingsCodec.h"
#include "ticket/SystemDir.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

#include <memory>
#include <unistd.h>

using namespace RemoteUnits;
using TestSupport::part;

namespace {
const QString CaNote = QStringLiteral("最后输入的 TLS 地址的 ca=");

// A program the test starts and stops by its PID, ready once its output shows `ready`.
class Daemon
{
public:
    ~Daemon() { stop(); }
    bool start(const QString &program, const QStringList &arguments, const QByteArray &ready)
    {
        Output.clear(); // a restart must not pass on the last run's words
        Process.setProcessChannelMode(QProcess::MergedChannels);
        Process.start(program, arguments);
        QElapsedTimer clock;
        clock.start();
        while (!Output.contains(ready) && Process.state() != QProcess::NotRunning && clock.elapsed() < 15000) {
            Process.waitForReadyRead(100);
            Output += Process.readAll();
        }
        return Output.contains(ready);
    }
    void stop()
    {
        Process.terminate();
        if (Process.state() != QProcess::NotRunning && !Process.waitForFinished(5000)) {
            Process.kill();
            Process.waitForFinished(5000);
        }
    }
    bool running() const { return Process.state() == QProcess::Running; }
    QByteArray output() const { return Output; }

private:
    QProcess Process;
    QByteArray Output;
};

struct Run {
    int exitCode = -1;
    QString out, err;
    qint64 ms = 0;
};

Run cli(const QStringList &arguments)
{
    QProcess p;
    QElapsedTimer clock;
    clock.start();
    p.start(QStringLiteral(TQ_CLI_PATH), arguments);
    p.waitForStarted();
    while (p.state() != QProcess::NotRunning && clock.elapsed() < 60000)
        QTest::qWait(20); // the test's own event loop keeps running
    return {TestSupport::exitCodeOf(p), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError()), clock.elapsed()};
}

// The discovered lines of `ports --discover`, PORT and NAME only.
QStringList discovered(const QString &out)
{
    QStringList lines;
    for (const QString &line : out.split('\n', Qt::SkipEmptyParts).mid(1))
        if (line.section('\t', 0, 0).contains("://"))
            lines << line.section('\t', 0, 1);
    return lines;
}

// avahi-publish for one service (or with -a, one address record): name, then its arguments.
using Announcements = QList<QStringList>;
} // namespace

class tst_Discovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!UnitDiscovery::isBuiltIn())
            QSKIP("this build has no service discovery (TQ_DISCOVERY off)");
        for (const char *tool : {"dbus-daemon", "avahi-daemon", "avahi-publish", "ser2net", "openssl"})
            if (QStandardPaths::findExecutable(tool).isEmpty() && QStandardPaths::findExecutable(tool, {"/usr/sbin"}).isEmpty())
                QSKIP(qPrintable(QString("needs %1 (tools/setup.sh installs it)").arg(tool)));
        AppSetup::initResources();
        QVERIFY(Dir.isValid());
        // The library finds the system bus where this says; libdbus reads it once per process.
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + Dir.filePath("bus").toUtf8());
        SystemDir::setOverride(Dir.path());
        QVERIFY(Certs.made());
        SettingsCodec::Settings s;
        s.lines[0] = "ATPW+0+N+M+欢迎光临+SIZE:B+OK";
        s.typeNames[1] = "普通";
        Settings = Dir.filePath("shop.ini");
        QVERIFY(TestSupport::writeFile(Settings, SettingsCodec::encode(s)));
        const QByteArray bus = "<busconfig><type>system</type><listen>unix:path=" + Dir.filePath("bus").toUtf8()
            + "</listen><auth>EXTERNAL</auth><policy context=\"default\"><allow user=\"*\"/><allow own=\"*\"/>"
              "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/></policy></busconfig>\n";
        QVERIFY(TestSupport::writeFile(Dir.filePath("bus.conf"), bus));
        QVERIFY(TestSupport::writeFile(Dir.filePath("avahi.conf"),
                                       "[server]\nhost-name=tq-shop-pc\nuse-ipv4=yes\nuse-ipv6=no\nallow-interfaces=lo\n"
                                       "[wide-area]\nenable-wide-area=no\n[publish]\npublish-hinfo=no\npublish-workstation=no\n"));
        SimUnderTest cable;
        QVERIFY(cable.started());
        QCOMPARE(cli({"apply", Settings, "--port", cable.port()}).exitCode, 0);
        Over_Cable = cable.receivedTexts();
    }

    // A service a test stopped may stay announced for a moment; the next test must not find it
    // (a window keeps its box while the count of entries is the same).
    void cleanup()
    {
        if (!Avahi.running())
            return;
        UnitDiscovery discovery;
        discovery.setShowAll(true);
        discovery.start();
        QTRY_VERIFY_WITH_TIMEOUT(discovery.isSettled(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(discovery.units().isEmpty(), 15000);
    }

    // No daemon, no bus: an empty list at once, a log line, never a box.
    void withoutDaemon_data()
    {
        QTest::addColumn<bool>("bus");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no system bus at all") << false << "no system D-Bus";
        QTest::newRow("a bus, no avahi-daemon") << true << "avahi-daemon is not running";
    }
    void withoutDaemon()
    {
        QFETCH(bool, bus);
        QFETCH(QString, reason);
        if (bus)
            QVERIFY(startBus());
        else
            QVERIFY(!Bus.running());
        const Run run = cli({"ports", "--discover"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.startsWith("PORT\tNAME\tTXT\n"), qPrintable(run.out));
        QVERIFY2(run.err.contains("no units discovered: " + reason), qPrintable(run.err));
        QVERIFY2(run.ms < 3000, qPrintable(QString::number(run.ms)));

        QTest::ignoreMessage(QtInfoMsg, QRegularExpression("no units can be discovered now: .*" + reason));
        TestSupport::ModalCatcher boxes;
        MainWindow w; // browsing starts with the port list
        QVERIFY(w.Serial_Service->discovery().isStarted());
        QTest::qWait(300);
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(w.Serial_Service->discovery().units().size(), 0);
        if (!bus)
            return;
        // A daemon that starts later is found, and what it knows with it.
        QVERIFY(startAvahi());
        Daemon unit;
        QVERIFY(unit.start("avahi-publish", {"-s", "late", "_iostream._tcp", "7001", "gensiostack=tcp", "role=tq-management-unit"}, "Established"));
        QTRY_COMPARE_WITH_TIMEOUT(w.Serial_Service->discovery().units().size(), 1, 10000);
    }

    // Announcements as avahi-publish makes them, listed by tqmanage-cli ports --discover.
    void announcements_data()
    {
        QTest::addColumn<Announcements>("announcements");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("listed"); // PORT and NAME
        const QString type = "_iostream._tcp", role = "role=tq-management-unit", rfc2217 = "gensiostack=telnet(rfc2217),tcp";
        const QString ca = Certs.file("ca.pem");
        QTest::newRow("as ser2net announces a unit")
            << Announcements{{"tq-unit-01", type, "7001", "provider=ser2net", rfc2217, role}} << QStringList{}
            << QStringList{"rfc2217://192.0.2.10:7001\ttq-unit-01"};
        QTest::newRow("raw tcp and tls, with --ca, as JSON")
            << Announcements{{"raw-unit", type, "7002", "gensiostack=tcp", role}, {"tls-unit", type, "7443", "gensiostack=telnet(rfc2217),ssl,tcp", role}}
            << QStringList{"--ca", ca, "--json"}
            << QStringList{"socket://192.0.2.10:7002\traw-unit", "rfc2217+tls://192.0.2.10:7443?ca=" + ca + "&name=tq-shop-pc.local\ttls-unit"};
        QTest::newRow("unmarked: not listed") << Announcements{{"printer", type, "7003", rfc2217}} << QStringList{} << QStringList{};
        QTest::newRow("unmarked: listed with --all") << Announcements{{"printer", type, "7003", rfc2217}} << QStringList{"--all"}
                                                     << QStringList{"rfc2217://192.0.2.10:7003\tprinter"};
        QTest::newRow("no txt, foreign stacks: never")
            << Announcements{{"bare", type, "7004"}, {"udp", type, "7005", "gensiostack=udp", role}, {"telnet", type, "7006", "gensiostack=telnet,tcp", role}}
            << QStringList{"--all"} << QStringList{};
        // A second host announcing a name in use renames its service so (one daemon here cannot).
        QTest::newRow("two with one name") << Announcements{{"tq-unit-01", type, "7001", rfc2217, role}, {"tq-unit-01 #2", type, "7002", rfc2217, role}}
                                           << QStringList{} << QStringList{"rfc2217://192.0.2.10:7001\ttq-unit-01", "rfc2217://192.0.2.10:7002\ttq-unit-01 #2"};
        QTest::newRow("spaces, CJK and a tab in names")
            << Announcements{{"前台 1 号机", type, "7001", rfc2217, role}, {"a\tb", type, "7002", rfc2217, role}} << QStringList{}
            << QStringList{"rfc2217://192.0.2.10:7002\ta\\tb", "rfc2217://192.0.2.10:7001\t前台 1 号机"};
        QTest::newRow("ipv6 address in brackets")
            << Announcements{{"-a", "-R", "tq-v6.local", "2001:db8::7"}, {"-H", "tq-v6.local", "v6-unit", type, "7001", rfc2217, role}}
            << QStringList{} << QStringList{"rfc2217://[2001:db8::7]:7001\tv6-unit"};
    }
    void announcements()
    {
        QFETCH(Announcements, announcements);
        QFETCH(QStringList, options);
        QFETCH(QStringList, listed);
        QVERIFY(startAvahi());
        std::vector<std::unique_ptr<Daemon>> publishers;
        for (const QStringList &a : announcements) {
            publishers.push_back(std::make_unique<Daemon>());
            QVERIFY2(publishers.back()->start("avahi-publish", a.value(0) == "-a" ? a : QStringList{"-s"} + a, "Established under"),
                     publishers.back()->output().constData());
        }
        const Run run = cli(QStringList{"ports", "--discover"} + options);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.ms < 5000, qPrintable(QString::number(run.ms))); // done when the network has answered
        if (!options.contains("--json")) {
            QCOMPARE(discovered(run.out), listed);
            return;
        }
        QStringList fromJson;
        for (const QJsonValue &v : QJsonDocument::fromJson(run.out.toUtf8()).array())
            if (v["discovered"].toBool())
                fromJson << v["port"].toString() + "\t" + v["name"].toString();
        QCOMPARE(fromJson, listed);
    }

    // One entry per unit while it moves to a new address, goes, and the daemon itself restarts.
    void unitFollowedAcrossChanges()
    {
        QVERIFY(startAvahi());
        const QStringList service{"-s", "-H", "tq-moving.local", "moving", "_iostream._tcp", "7001", "gensiostack=tcp", "role=tq-management-unit"};
        auto address = std::make_unique<Daemon>();
        QVERIFY(address->start("avahi-publish", {"-a", "-R", "tq-moving.local", "192.0.2.20"}, "Established under"));
        auto unit = std::make_unique<Daemon>();
        QVERIFY(unit->start("avahi-publish", service, "Established under"));
        UnitDiscovery discovery;
        discovery.start();
        const auto listed = [&discovery] {
            QStringList out;
            for (const DiscoveredUnit &u : discovery.units())
                out << u.address();
            return out;
        };
        QTRY_COMPARE_WITH_TIMEOUT(listed(), QStringList{"socket://192.0.2.20:7001"}, 10000);
        address = std::make_unique<Daemon>(); // a new lease
        QVERIFY(address->start("avahi-publish", {"-a", "-R", "tq-moving.local", "192.0.2.21"}, "Established under"));
        QTRY_COMPARE_WITH_TIMEOUT(listed(), QStringList{"socket://192.0.2.21:7001"}, 15000);
        unit->stop();
        QTRY_COMPARE_WITH_TIMEOUT(listed(), QStringList{}, 10000);
        QVERIFY(unit->start("avahi-publish", service, "Established under"));
        QTRY_COMPARE_WITH_TIMEOUT(listed(), QStringList{"socket://192.0.2.21:7001"}, 10000);
        Avahi.stop(); // what it told is void; it is waited for
        QTRY_COMPARE_WITH_TIMEOUT(listed(), QStringList{}, 10000);
        QVERIFY(!discovery.problem().isEmpty());
        QVERIFY(startAvahi());
        unit = std::make_unique<Daemon>();
        address = std::make_unique<Daemon>();
        QVERIFY(address->start("avahi-publish", {"-a", "-R", "tq-moving.local", "192.0.2.22"}, "Established under"));
        QVERIFY(unit->start("avahi-publish", service, "Established under"));
        QTRY_COMPARE_WITH_TIMEOUT(listed(), QStringList{"socket://192.0.2.22:7001"}, 15000);
    }

    // What ports --discover prints is what apply takes: it reaches the simulator behind ser2net.
    void applyToDiscovered_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("withName");
        QTest::newRow("rfc2217") << "rfc2217" << true;
        QTest::newRow("rfc2217 in tls, certificate checked for the announced host") << "rfc2217+tls" << true;
        QTest::newRow("tls without name=: the IP address is not on the certificate") << "rfc2217+tls" << false;
    }
    void applyToDiscovered()
    {
        QFETCH(QString, kind);
        QFETCH(bool, withName);
        QVERIFY(startAvahi());
        SimUnderTest sim;
        QVERIFY(sim.started());
        Ser2net server({{kind, sim.port(), Certs.file("server.pem")}}, "tq-unit-01", "role=tq-management-unit");
        QVERIFY(server.started());
        QString address;
        QTRY_VERIFY_WITH_TIMEOUT(!(address = discovered(cli({"ports", "--discover", "--ca", Certs.file("ca.pem")}).out)
                                                 .filter("\ttq-unit-01").value(0).section('\t', 0, 0)).isEmpty(), 15000);
        QVERIFY2(address.startsWith(kind + "://192.0.2.10:" + QString::number(server.port(0))), qPrintable(address));
        if (!withName)
            address.remove(QRegularExpression("&name=[^&]*"));
        const Run run = cli({"apply", Settings, "--port", address});
        if (withName) {
            QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
            QCOMPARE(sim.receivedTexts(), Over_Cable);
        } else {
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.out.contains("TLS verification failed"), qPrintable(run.out));
            QCOMPARE(sim.receivedTexts(), QStringList());
        }
    }

    // The window lists a found unit after the local ports, says where it leads, and connects to it
    // as to a typed address; a TLS unit is checked with the ca= of the last TLS address typed.
    void windowListsAndConnects_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("label");
        QTest::newRow("rfc2217") << "rfc2217" << "tq-unit-01 (RFC 2217)";
        QTest::newRow("rfc2217 in tls") << "rfc2217+tls" << "tq-unit-01 (RFC 2217, TLS)";
    }
    void windowListsAndConnects()
    {
        QFETCH(QString, kind);
        QFETCH(QString, label);
        QVERIFY(startAvahi());
        SimUnderTest sim;
        QVERIFY(sim.started());
        Ser2net server({{kind, sim.port(), Certs.file("server.pem")}}, "tq-unit-01", "role=tq-management-unit");
        QVERIFY(server.started());
        MainWindow w;
        Function_One *page = w.Ticket_Page;
        auto *box = part<QComboBox>(page, "QC_COM_Choose");
        const bool tls = kind.endsWith("+tls");
        if (tls) { // typed once, refused: its ca= is what found units are checked with
            TestSupport::ModalCatcher refused;
            box->lineEdit()->clear();
            QTest::keyClicks(box->lineEdit(), "rfc2217+tls://127.0.0.1:1?ca=" + Certs.file("ca.pem"));
            part<QPushButton>(page, "QB_OPEN_USART")->click();
            QTRY_COMPARE(refused.count(), 1);
        }
        QTRY_VERIFY_WITH_TIMEOUT(box->findText(label) >= 0, 15000);
        const int at = box->findText(label);
        const QString address = QString("%1://192.0.2.10:%2").arg(kind).arg(server.port(0));
        const QString details = box->itemData(at, Qt::ToolTipRole).toString();
        QVERIFY2(details.startsWith(address) && details.contains("tq-shop-pc.local"), qPrintable(details));
        QCOMPARE(details.contains(CaNote) && details.contains("ca=" + Certs.file("ca.pem")), tls);
        QCOMPARE(box->itemData(at, Qt::AccessibleDescriptionRole).toString(), details);
        QCOMPARE(at, box->count() - 1); // after the local ports (and the typed address)
        box->setCurrentIndex(at);
        QCOMPARE(box->toolTip(), details);
        QCOMPARE(box->accessibleDescription(), details);

        part<QPushButton>(page, "QB_OPEN_USART")->click();
        QTRY_COMPARE_WITH_TIMEOUT(part<QLabel>(page, "State_Label")->text(), QStringLiteral("连接状态:在线"), 10000);
        QVERIFY2(part<QLabel>(page, "State_Label")->toolTip().contains(address), qPrintable(part<QLabel>(page, "State_Label")->toolTip()));
        QCOMPARE(sim.receivedTexts().value(0), QStringLiteral("ATSW+STATE+OK"));
        QVERIFY(!w.Serial_Service->USART_COM_List().filter(QRegularExpression("^" + kind + "://")).size()); // not listed twice
        part<QPushButton>(page, "QB_OPEN_USART")->click();
        QCOMPARE(TestSupport::connectionState(page), TestSupport::Disconnected);
        QCOMPARE(part<QLabel>(page, "State_Label")->toolTip(), QString());
    }

private:
    bool startBus()
    {
        return Bus.running() || Bus.start("dbus-daemon", {"--config-file=" + Dir.filePath("bus.conf"), "--nofork", "--print-address"}, "unix:");
    }
    bool startAvahi()
    {
        if (!startBus())
            return false;
        return Avahi.running()
            || Avahi.start("avahi-daemon", {"--no-chroot", "--no-drop-root", "--no-rlimits", "-f", Dir.filePath("avahi.conf")},
                           "Server startup complete");
    }

    QTemporaryDir Dir;
    Certificates Certs;
    QString Settings;
    QStringList Over_Cable;
    Daemon Bus;
    Daemon Avahi;
};

// Outside its namespaces the test starts itself again inside them (netns.sh); 77 means skipped.
int main(int argc, char *argv[])
{
    if (qgetenv("TQ_NETNS_INSIDE") != "1") {
        char self[4096] = {};
        if (::readlink("/proc/self/exe", self, sizeof self - 1) < 0)
            return 1;
        std::vector<char *> args{const_cast<char *>("sh"), const_cast<char *>(TQ_SOURCE_DIR "/tests/e2e/netns.sh"), self};
        for (int i = 1; i < argc; ++i)
            args.push_back(argv[i]);
        args.push_back(nullptr);
        ::execv("/bin/sh", args.data());
        std::perror("netns.sh");
        return 1;
    }
    QApplication app(argc, argv);
    tst_Discovery test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_discovery.moc"
