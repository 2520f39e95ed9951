// tqmanage-cli against several simulators at once, each on its own pseudo-terminal.
#include "protocol/SettingsBatches.h"
#include "testsupport/TestSupport.h"
#include "ticket/SettingsCodec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
struct Run {
    int exitCode = -1;
    QJsonArray units;
    QByteArray out;
    QByteArray err;
};

using Sims = std::vector<std::unique_ptr<SimUnderTest>>;

Sims startSims(int n, const QStringList &options = {})
{
    Sims sims;
    for (int i = 0; i < n; ++i)
        sims.push_back(std::make_unique<SimUnderTest>(options));
    return sims;
}

QStringList portArguments(const Sims &sims)
{
    QStringList args;
    for (const auto &sim : sims)
        args << "--port" << sim->port();
    return args;
}

// Runs tqmanage-cli to the end; during() may act on it while it runs (kill a simulator, Ctrl+C).
// What acts on units is recorded in a record of the test's own.
Run cli(QStringList arguments, std::function<void(QProcess &)> during = {})
{
    static const QTemporaryDir records;
    if (!arguments.contains("--record") && (arguments.contains("apply") || arguments.contains("upgrade") || arguments.contains("reset")))
        arguments << "--record" << records.filePath("record.jsonl");
    QProcess process;
    process.start(QStringLiteral(TQ_CLI_PATH), arguments);
    process.waitForStarted();
    if (during)
        during(process);
    process.waitForFinished(60000);
    Run run{TestSupport::exitCodeOf(process), {}, process.readAllStandardOutput(), process.readAllStandardError()};
    run.units = QJsonDocument::fromJson(run.out).object().value("units").toArray();
    return run;
}

QJsonObject unit(const Run &run, const QString &port)
{
    for (const QJsonValue &u : run.units)
        if (u.toObject().value("port").toString() == port)
            return u.toObject();
    return {};
}
} // namespace

class tst_Cli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(Dir.isValid()); }

    void apply_data()
    {
        QTest::addColumn<int>("units");
        QTest::addColumn<QStringList>("simOptions");
        QTest::addColumn<QStringList>("options"); // "apply" stands where the verb goes
        QTest::addColumn<QString>("language");
        QTest::newRow("four units") << 4 << QStringList{} << QStringList{"apply"} << "zh";
        // A unit that says its state before it is asked, and again after each acknowledgement.
        QTest::newRow("units announcing their state") << 2 << QStringList{"--announce", "250"} << QStringList{"apply"} << "zh";
        QTest::newRow("every acknowledgement read together with a state reply")
            << 1 << QStringList{"--announce", "250", "--announce-gap", "0"} << QStringList{"apply"} << "zh";
        QTest::newRow("--json before the verb, --unit-language") << 1 << QStringList{} << QStringList{"--json", "apply", "--unit-language", "en"} << "en";
        // Each acknowledgement comes 1.36 s after its command, the limit being 1.5 s.
        QTest::newRow("acknowledged just inside the limit") << 1 << QStringList{"--ack-delay", "1300"}
                                                            << QStringList{"apply", "--timeout", "1.5", "--only", "params"} << "zh";
    }
    void apply()
    {
        QFETCH(int, units);
        QFETCH(QStringList, simOptions);
        QFETCH(QStringList, options);
        QFETCH(QString, language);
        SettingsCodec::Settings s;
        s.lines[0] = "ATPW+0+N+M+欢迎光临+SIZE:B+OK";
        s.lines[3] = "ATPW+3+T+R+2024-03-02 09:05:00\r\n+SIZE:S+OK";
        s.typeNames[1] = "普通";
        s.typeNames[4] = "VIP";
        s.networkIdIndex = 42;
        s.autoClearIndex = 8;
        s.syncRestartIndex = 1;
        const QString file = Dir.filePath("shop.ini");
        QVERIFY(TestSupport::writeFile(file, SettingsCodec::encode(s)));
        Sims sims = startSims(units, simOptions);
        options.insert(options.indexOf("apply") + 1, file);
        const Run run = cli(options + QStringList{"--json"} + portArguments(sims));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QJsonDocument::fromJson(run.out).object().value("verb").toString(), QStringLiteral("apply"));
        QCOMPARE(QJsonDocument::fromJson(run.out).object().value("unitLanguage").toString(), language);
        const bool all = !options.contains("--only");
        // Under root without --unit-language the units get root's own choice: the report warns.
        const QJsonArray warnings = QJsonDocument::fromJson(run.out).object().value("warnings").toArray();
        QCOMPARE(warnings.size(), ::geteuid() == 0 && !options.contains("--unit-language") ? 1 : 0);
        QStringList expected; // what a unit holds afterwards, as its journal notes say
        const QStringList ticket = SettingsBatches::ticket(s);
        for (int i = 0; i < 10; ++i)
            expected << QStringLiteral("line %1 = %2").arg(i).arg(ticket.at(i));
        expected << "type 2 name = 普通" << "type 5 name = VIP" << "network id = 42" << "synchronised restart = 0"
                 << "clearing hour = 07" << QStringLiteral("language = %1").arg(language == "en" ? 1 : 0);
        if (!all)
            expected = expected.mid(12);
        for (const auto &sim : sims) {
            QStringList held = sim->texts("note").filter(QRegularExpression("^(line \\d|type \\d|network|synchro|clearing|language)"));
            QCOMPARE(held, expected);
            const QJsonObject u = unit(run, sim->port());
            QCOMPARE(u.value("version").toString(), QStringLiteral("V2.1"));
            QCOMPARE(u.value("written").toArray(), all ? QJsonArray({"ticket", "names", "params"}) : QJsonArray({"params"}));
        }
    }

    void applyOnlyTheNamedParts()
    {
        SettingsCodec::Settings s;
        s.typeNames[0] = "Cash";
        const QString file = Dir.filePath("some.ini");
        // A file cut short is still used, and the report names what it lacks.
        const QByteArray ini = QByteArray::fromBase64(SettingsCodec::encode(s)).replace("9%U884C=\n", "");
        QVERIFY(TestSupport::writeFile(file, ini.toBase64()));
        SimUnderTest sim;
        const Run run = cli({"apply", file, "--only", "params,names", "--clock", "--json", "--port", sim.port()});
        QCOMPARE(run.exitCode, 0);
        const QJsonArray warnings = QJsonDocument::fromJson(run.out).object().value("warnings").toArray();
        QVERIFY(warnings.contains(file + " lacks 9行: sent as empty or 0"));
        QCOMPARE(unit(run, sim.port()).value("written").toArray(), QJsonArray({"names", "params", "clock"}));
        QStringList verbs = sim.receivedTexts().replaceInStrings(QRegularExpression("^(....).*"), "\\1");
        verbs.removeDuplicates();
        QCOMPARE(verbs, (QStringList{"ATSW", "ATLW", "ATNW", "ATTW"}));
    }

    void upgradeFourUnits()
    {
        const QByteArray image = TestSupport::randomBytes(51200, 51200);
        const QString path = Dir.filePath("image.bin");
        QVERIFY(TestSupport::writeFile(path, image));
        Sims sims;
        // The last unit sends a blank version, which must not hold the transfer up.
        for (int i = 0; i < 4; ++i) {
            const QStringList state = i < 3 ? QStringList{"--bootloader"} : QStringList{"--firmware-version", " "};
            sims.push_back(std::make_unique<SimUnderTest>(state + QStringList{"--image-out", Dir.filePath(QString::number(i))}));
        }
        const Run run = cli(QStringList{"upgrade", path} + portArguments(sims));
        QCOMPARE(run.exitCode, 0);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(TestSupport::contentOf(Dir.filePath(QString::number(i))), image);
        QVERIFY2(run.out.contains("VB2.1 (bootloader)") && run.out.count("upgrade") == 4, run.out.constData());
        QCOMPARE(run.err.count(" upgrade 51/51\n"), 4); // 50 full packages and the empty one that ends an image
    }

    void aUnitThatFailsNeverStopsTheOthers_data()
    {
        QTest::addColumn<QString>("verb");
        QTest::addColumn<QStringList>("badSim");  // options of the simulator that fails
        QTest::addColumn<QString>("error");       // how its failure begins
        QTest::addColumn<QString>("waitingFor");
        QTest::newRow("silent unit") << "apply" << QStringList{"--silent", "ATLW"} << "no acknowledgement within 1 s"
                                     << "ATLW+1+Cash+OK";
        QTest::newRow("unit unplugged mid-upgrade") << "upgrade" << QStringList{"--bootloader", "kill"} << "port lost: The port disappeared (/dev/pts/" << "";
        QTest::newRow("no state reply") << "apply" << QStringList{"--silent", "ATSW"} << "the unit does not answer"
                                        << "ATSW+STATE+OK";
        QTest::newRow("image rejected") << "upgrade" << QStringList{"--bootloader", "--reject-image"}
                                        << "the unit rejected the image" << "";
        // 20000 bytes are 20 packages: 3 times that and 8 more may be asked for, not one more.
        QTest::newRow("bootloader asking for ever") << "upgrade" << QStringList{"--bootloader", "--request-loop"}
                                                    << "the unit asked for 69 packages of an image of 20" << "";
        QTest::newRow("success before any package") << "upgrade" << QStringList{"--bootloader", "--early-over"}
                                                    << "the unit reported success before it had the image (0 of 20 packages sent)" << "";
        // The signal goes once the bad unit has its ticket page: how far each unit got is said.
        QTest::newRow("Ctrl+C") << "apply" << QStringList{"SIGINT", "--ack-delay", "300"} << "interrupted after names 0 of 1" << "*";
        QTest::newRow("SIGTERM (a CI job's timeout)") << "apply" << QStringList{"SIGTERM", "--ack-delay", "300"}
                                                      << "interrupted after names 0 of 1" << "*";
        QTest::newRow("SIGHUP mid-upgrade") << "upgrade" << QStringList{"--bootloader", "SIGHUP"}
                                            << "interrupted after package " << "*";
    }
    void aUnitThatFailsNeverStopsTheOthers()
    {
        QFETCH(QString, verb);
        QFETCH(QStringList, badSim);
        QFETCH(QString, error);
        QFETCH(QString, waitingFor);
        const bool upgrade = verb == "upgrade";
        const QStringList good = upgrade ? QStringList{"--bootloader"} : QStringList{};
        Sims sims = startSims(2, good);
        const bool kill = badSim.removeAll("kill") > 0;
        int signal = 0;
        for (const auto &[name, number] : {std::pair{"SIGINT", SIGINT}, {"SIGTERM", SIGTERM}, {"SIGHUP", SIGHUP}})
            if (badSim.removeAll(name) > 0)
                signal = number;
        const bool interrupt = signal != 0;
        sims.push_back(std::make_unique<SimUnderTest>(badSim));
        SimUnderTest *bad = sims.back().get();
        QString file = Dir.filePath(upgrade ? "fail.bin" : "fail.ini");
        SettingsCodec::Settings s;
        s.typeNames[0] = "Cash";
        QVERIFY(TestSupport::writeFile(file, upgrade ? QByteArray(20000, 'x') : SettingsCodec::encode(s)));
        const Run run = cli(QStringList{verb, file, "--json", "--timeout", "1"} + portArguments(sims), [&](QProcess &p) {
            if (!kill && !interrupt)
                return;
            // A few packages or commands into the work, the bad unit goes away or the operator stops.
            QTRY_VERIFY_WITH_TIMEOUT(bad->journal("rx").size() >= (kill ? 5 : 12), 15000);
            if (kill)
                bad->kill();
            else
                ::kill(pid_t(p.processId()), signal);
        });
        QCOMPARE(run.exitCode, 1);
        const QJsonObject failed = unit(run, bad->port());
        QCOMPARE(failed.value("result").toString(), QStringLiteral("failed"));
        QVERIFY2(failed.value("error").toString().startsWith(error), qPrintable(failed.value("error").toString()));
        if (waitingFor != "*")
            QCOMPARE(failed.value("waitingFor").toString(), waitingFor);
        for (int i = 0; i < 2 && !interrupt; ++i)
            QCOMPARE(unit(run, sims.at(i)->port()).value("result").toString(), QStringLiteral("ok"));
        if (interrupt && !upgrade) // the report says what each unit got before the stop
            QVERIFY(unit(run, sims.at(0)->port()).value("written").toArray().contains("ticket"));
    }

    void stateAndReset()
    {
        SimUnderTest normal, bootloader({"--bootloader"});
        const Run state = cli({"state", "--port", normal.port(), "--port", bootloader.port(), "--json"});
        QCOMPARE(state.exitCode, 0);
        QCOMPARE(unit(state, normal.port()).value("bootloader").toBool(), false);
        QCOMPARE(unit(state, bootloader.port()).value("version").toString(), QStringLiteral("VB2.1"));
        QCOMPARE(unit(state, bootloader.port()).value("bootloader").toBool(), true);
        QCOMPARE(normal.receivedTexts(), QStringList{"ATSW+STATE+OK"});
        SimUnderTest silent({"--silent", "ATSW"});
        PtyPair terminal; // progress on a terminal, the table on a pipe as scripts read it
        QProcess reset;
        reset.setStandardErrorFile(terminal.slavePath());
        reset.start(QStringLiteral(TQ_CLI_PATH), {"reset", "--port", normal.port(), "--port", silent.port(), "--yes", "--timeout", "1", "--record", Dir.filePath("record.jsonl")});
        QVERIFY(reset.waitForFinished(30000));
        QCOMPARE(reset.exitCode(), 1);
        QVERIFY(normal.texts("note").contains("factory settings restored"));
        // One row a unit: what failed and the command it was waiting for.
        const QByteArray table = reset.readAllStandardOutput(), shown = terminal.readAll();
        QVERIFY2(table.contains("  V2.1     reset    ok\n")
                     && table.endsWith("  -        -        failed: the unit does not answer (waiting for ATSW+STATE+OK)\n"),
                 table.constData());
        // Every unit's line drawn again over itself: back up two lines, each line cleared first.
        QVERIFY2(shown.endsWith("\x1b[2A\x1b[2K" + normal.port().toUtf8() + ": done\n\x1b[2K" + silent.port().toUtf8()
                                + ": failed: the unit does not answer\n"),
                 shown.toPercentEncoding(" /:").constData());
    }

    // A by-id name is long; a progress line that wraps breaks the redraw in place. More units than
    // the terminal has rows get one summary line instead.
    void progressKeepsToTheTerminal_data()
    {
        QTest::addColumn<int>("units");
        QTest::addColumn<QString>("size"); // rows and columns
        QTest::addColumn<QString>("last");
        QTest::newRow("a long name in 40 columns") << 1 << "rows 24 cols 40" << "done";
        QTest::newRow("more units than rows") << 6 << "rows 6 cols 80" << "6 units: 6 done, 0 failed, 0 running";
    }
    void progressKeepsToTheTerminal()
    {
        QFETCH(int, units);
        QFETCH(QString, size);
        QFETCH(QString, last);
        Sims sims = startSims(units);
        const QString link = Dir.filePath("usb-Prolific_Technology_Inc._USB-Serial_Controller_D-if00-port0");
        QFile::remove(link);
        QVERIFY(QFile::link(sims.front()->port(), link));
        QStringList ports = portArguments(sims);
        ports.replace(1, link);
        QProcess terminal; // script(1) gives the tool a terminal of this size; the report goes elsewhere
        terminal.start("script", {"-qec", QStringLiteral("stty %1; exec '%2' state %3 >/dev/null").arg(size, TQ_CLI_PATH, ports.join(' ')),
                                  "/dev/null"});
        QVERIFY(terminal.waitForFinished(30000));
        QString progress = QString::fromUtf8(terminal.readAllStandardOutput());
        progress.remove(QRegularExpression("\x1b\\[\\d*[AK]|\r"));
        const QStringList lines = progress.split('\n', Qt::SkipEmptyParts);
        QVERIFY2(lines.last().endsWith(last), qPrintable(progress));
        for (const QString &line : lines) {
            QVERIFY2(line.size() < size.section(' ', 3).toInt(), qPrintable(line));
            QVERIFY2(units == 1 || line.contains(" units: "), qPrintable(line));
        }
    }

    void faultyFileSendsNothing_data()
    {
        QTest::addColumn<QString>("verb");
        QTest::addColumn<QString>("path"); // empty: a file of this content
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        SettingsCodec::Settings s;
        s.lines[2] = "ATPW+2+X+L+a+SIZE:S+OK";
        s.networkIdIndex = 100;
        QTest::newRow("faulty record and id") << "apply" << "" << SettingsCodec::encode(s)
                                              << "settings file error 003 (a ticket line's kind is none of E, T, N, S, R), "
                                                 "015 (the network ID is not 0 to 99)";
        SettingsCodec::Settings lone;
        lone.lines[1] = "ATPW+1+T+L+" + QString(12, '\r') + "+SIZE:B+OK"; // sent as 12 CR LF and a space: 25 bytes
        QTest::newRow("time line of twelve lone CRs") << "apply" << "" << SettingsCodec::encode(lone) << "006 (a big-font ticket line is longer than 22 bytes)";
        QTest::newRow("not a settings file") << "apply" << "" << QByteArray("[General]\nplain=ini\n") << "is not a settings file";
        QTest::newRow("a value nested 40,000 deep") << "apply" << "" << TestSupport::nestedVariantFile()
                                                    << "holds a typed value (@Variant) under 0行, not text or a number";
        QTest::newRow("empty") << "apply" << "" << QByteArray() << "faulty.ini is empty";
        QTest::newRow("too large") << "apply" << "" << QByteArray(1024 * 1024 + 1, '#') << "has 1048577 bytes, more than 1048576";
        QTest::newRow("missing") << "apply" << "missing.ini" << QByteArray() << "missing.ini does not exist";
        QTest::newRow("directory") << "apply" << "." << QByteArray() << "is a directory";
        QTest::newRow("FIFO") << "apply" << "fifo" << QByteArray() << "fifo is not a regular file (a device, FIFO or socket)";
        QTest::newRow("endless device image") << "upgrade" << "/dev/zero" << QByteArray() << "/dev/zero is not a regular file (a device, FIFO or socket)";
        QTest::newRow("empty image") << "upgrade" << "" << QByteArray() << "faulty.ini is empty";
        QTest::newRow("image one byte too long") << "upgrade" << "" << QByteArray(51201, 'x') << "has 51201 bytes, more than 51200";
    }
    void faultyFileSendsNothing()
    {
        QFETCH(QString, verb);
        QFETCH(QString, path);
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        QString file = path.startsWith('/') ? path : Dir.filePath(path.isEmpty() ? "faulty.ini" : path);
        if (path.isEmpty())
            QVERIFY(TestSupport::writeFile(file, content));
        if (path == "fifo" && !QFileInfo::exists(file))
            QCOMPARE(::mkfifo(qPrintable(file), 0600), 0);
        Sims sims = startSims(2);
        const Run run = cli(QStringList{verb, file, "--json"} + portArguments(sims));
        QCOMPARE(run.exitCode, 1);
        const QString said = QJsonDocument::fromJson(run.out).object().value("error").toString();
        QVERIFY2(said.startsWith("not sent: ") && said.endsWith(error), run.out.constData());
        QCOMPARE(run.out.count("not sent: "), 1); // said once, not once per unit
        for (const auto &sim : sims) {
            QCOMPARE(unit(run, sim->port()).value("error").toString(), QStringLiteral("not sent"));
            QVERIFY(sim->journal("rx").isEmpty());
        }
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says");
        QTest::newRow("help") << QStringList{"--help"} << 0 << "reset --port P... --yes";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "tqmanage-cli V1.0.7";
        QTest::newRow("no verb") << QStringList{} << 2 << "no verb given";
        QTest::newRow("unknown verb") << QStringList{"flash"} << 2 << "unknown verb \"flash\"";
        QTest::newRow("reset unconfirmed") << QStringList{"reset", "--port", "/dev/null"} << 2 << "confirm with --yes";
        QTest::newRow("no port") << QStringList{"state"} << 2 << "state needs at least one --port";
        QTest::newRow("apply without file") << QStringList{"apply", "--port", "x"} << 2 << "apply needs one file";
        QTest::newRow("bad part") << QStringList{"apply", "f", "--port", "x", "--only", "ticket,clock"} << 2 << "not \"clock\"";
        const auto timeout = [](const char *seconds) { return QStringList{"state", "--port", "/no/port", "--timeout", seconds}; };
        QTest::newRow("timeout nan") << timeout("nan") << 2 << "from 0.1 to 3600, not \"nan\"";
        QTest::newRow("timeout 0") << timeout("0") << 2 << "--timeout needs";
        QTest::newRow("timeout an hour") << timeout("3600") << 1 << "failed: cannot open the port";
        QTest::newRow("timeout over an hour") << timeout("3600.5") << 2 << "--timeout needs";
        QTest::newRow("ports") << QStringList{"ports", "--json"} << 0 << "[";
        QTest::newRow("ports header") << QStringList{"ports"} << 0 << "PORT\tMANUFACTURER\tDEVICE\n";
        QTest::newRow("verb --help") << QStringList{"apply", "--help"} << 0 << "Usage: tqmanage-cli apply FILE";
        QTest::newRow("help verb") << QStringList{"help", "upgrade"} << 0 << "a regular file of 1 to 51200 bytes";
        QTest::newRow("empty --only") << QStringList{"apply", "f", "--port", "x", "--only", ""} << 2 << "--only \"\" has an empty part";
        QTest::newRow("timeout under 0.1 s") << timeout("0.0004") << 2 << "not \"0.0004\"";
        QTest::newRow("bad unit language") << QStringList{"apply", "f", "--port", "x", "--unit-language", "de"} << 2 << "zh, en or pl";
        QTest::newRow("--discover elsewhere") << QStringList{"state", "--port", "x", "--discover"} << 2 << "--discover belongs to ports";
        QTest::newRow("--all without --discover") << QStringList{"ports", "--all"} << 2 << "belong to ports --discover";
        QTest::newRow("wait too long") << QStringList{"ports", "--discover", "--wait", "601"} << 2 << "from 0.1 to 600, not \"601\"";
        QTest::newRow("--ca not a file") << QStringList{"ports", "--discover", "--ca", "/"} << 2 << "--ca \"/\" is not a readable file";
        // The tests have no system bus: the local ports, the reason, and no "ok".
        QTest::newRow("discover without a bus") << QStringList{"ports", "--discover"} << 1 << "no units discovered: no system D-Bus";
        QTest::newRow("help ports") << QStringList{"help", "ports"} << 0 << "role=tq-management-unit";
        // SIM: a simulator's pty; LINK: a link to it.
        QTest::newRow("one device under two names") << QStringList{"state", "--port", "SIM", "--port", "LINK"} << 2
                                                    << "\" and --port \"LINK\" are the same device";
        // One server however its address is spelt is one unit; its other ports are other units.
        const auto twoPorts = [](const char *a, const char *b) { return QStringList{"state", "--timeout", "1", "--port", a, "--port", b}; };
        QTest::newRow("one server, a trailing slash") << twoPorts("socket://127.0.0.1:1/", "socket://127.0.0.1:1") << 2
                                                      << "--port \"socket://127.0.0.1:1/\" and --port \"socket://127.0.0.1:1\" are the same device";
        QTest::newRow("one server, capitals") << twoPorts("RFC2217://Shop-3.Example.:7001", "rfc2217://shop-3.example:7001") << 2
                                              << "are the same device";
        QTest::newRow("one server, TLS files and an IPv6 form") << twoPorts("socket+tls://[::1]:7001?insecure", "socket+tls://[0:0::1]:07001?insecure=1")
                                                                << 2 << "are the same device";
        QTest::newRow("one server port, two link kinds") << twoPorts("socket://127.0.0.1:1", "rfc2217://127.0.0.1:1") << 2 << "are the same device";
        QTest::newRow("two ports of one server") << twoPorts("socket://127.0.0.1:1", "socket://127.0.0.1:2") << 1 << "cannot connect";
        QTest::newRow("an empty query") << QStringList{"state", "--port", "socket://127.0.0.1:1?"} << 1 << "no option after \"?\"";
        QTest::newRow("--canary twice") << QStringList{"upgrade", "f", "--port", "x", "--canary", "1", "--canary", "2"} << 2
                                        << "--canary is named twice (\"1\" and \"2\")";
        QTest::newRow("--timeout twice, alike") << QStringList{"state", "--port", "x", "--timeout", "1", "--timeout", "1"} << 2
                                                << "--timeout is named twice";
        QTest::newRow("--record twice") << QStringList{"history", "--record", "/a", "--record", "/b"} << 2 << "--record is named twice";
        QTest::newRow("tab in the version") << QStringList{"state", "--port", "SIM", "--firmware-version", "V2\t1"} << 0 << "V2\\t1  ";
        QTest::newRow("blank version") << QStringList{"state", "--port", "SIM", "--firmware-version", " "} << 0 << "\"\"   ";
        // A version of any length: the table shows 32 characters, the JSON keeps 256.
        QTest::newRow("long version in the table") << QStringList{"state", "--port", "SIM", "--firmware-version", QString(300, 'v')}
                                                   << 0 << QString(29, 'v') + "...  ";
        QTest::newRow("long version in JSON") << QStringList{"state", "--json", "--port", "SIM", "--firmware-version", QString(300, 'v')}
                                              << 0 << "\"version\": \"" + QString(256, 'v') + "\"";
        QTest::newRow("help names exit 3") << QStringList{"--help"} << 0 << "3 when a staged\nroll-out stopped";
        QTest::newRow("--csv and --json") << QStringList{"history", "--csv", "--json"} << 2 << "--csv and --json: choose one";
        QTest::newRow("--since not a date") << QStringList{"history", "--since", "yesterday"} << 2 << "not \"yesterday\"";
        QTest::newRow("--canary with apply") << QStringList{"apply", "f", "--port", "x", "--canary", "1"} << 2 << "belong to upgrade";
        QTest::newRow("--max-failed negative") << QStringList{"upgrade", "f", "--port", "x", "--max-failed", "-1"} << 2 << "not \"-1\"";
        QTest::newRow("inventory of some units") << QStringList{"inventory", "--port", "x"} << 2 << "inventory takes no --port";
        QTest::newRow("history of a directory") << QStringList{"history", "--record", "/"} << 1 << "/: not a regular file";
        QTest::newRow("history of no record yet") << QStringList{"history", "--record", "/no/record"} << 0 << "no record yet";
    }
    void usage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        std::unique_ptr<SimUnderTest> sim;
        if (arguments.contains("SIM")) {
            const int at = arguments.indexOf("--firmware-version");
            sim = std::make_unique<SimUnderTest>(arguments.mid(at, at < 0 ? 0 : 2));
            arguments.replace(arguments.indexOf("SIM"), sim->port());
            if (at >= 0)
                arguments.erase(arguments.begin() + at, arguments.begin() + at + 2);
        }
        const QString link = Dir.filePath("LINK");
        QFile::remove(link);
        if (sim && arguments.contains("LINK")) {
            QVERIFY(QFile::link(sim->port(), link));
            arguments.replace(arguments.indexOf("LINK"), link);
            says.replace("LINK", link);
        }
        const Run run = cli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(QString::fromUtf8(run.out + run.err).contains(says), (run.out + run.err).constData());
    }

private:
    QTemporaryDir Dir;
};

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_cli.moc"
