#include "CliOptions.h"

#include "FleetOptions.h"
#include "firmware/FirmwareImage.h"
#include "ticket/Version.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <cmath>

namespace {
const struct {
    const char *name;
    CliOptions::Verb verb;
    const char *usage;
} Verbs[] = {
    {"ports", CliOptions::Verb::Ports,
     "Usage: tqmanage-cli ports [--json]\n"
     "       tqmanage-cli ports --discover [--wait S] [--all] [--ca FILE] [--json]\n"
     "The serial ports, as the window lists them: PORT (the stable /dev/serial/by-id name where\n"
     "there is one), MANUFACTURER and DEVICE, after a header line.\n"
     "With --discover, also the units that announce themselves on the local network (DNS-SD\n"
     "through avahi-daemon; a serial device server marks one with the TXT entry\n"
     "role=tq-management-unit): PORT (the address to pass to --port), NAME and TXT, after a\n"
     "header line. It looks until the network has answered, at most 5 s, or exactly S seconds\n"
     "with --wait S (0.1 to 600). --all lists every serial service it can reach, marked or not.\n"
     "--ca FILE: TLS units' certificates must come from the CA in FILE (else the system's\n"
     "store) and name the host the unit announced. An announcement proves nothing about who\n"
     "sent it: review the list before you use it. Exit status 1 when nothing could be\n"
     "discovered (no avahi-daemon, no system D-Bus); the local ports are listed all the same.\n"},
    {"state", CliOptions::Verb::State,
     "Usage: tqmanage-cli state --port P... [--timeout S] [--json] [--verbose]\n"
     "Each unit's firmware version, and whether it runs its bootloader.\n"},
    {"apply", CliOptions::Verb::Apply,
     "Usage: tqmanage-cli apply FILE --port P... [--only LIST] [--clock] [--unit-language L]\n"
     "                          [--timeout S] [--json] [--verbose]\n"
     "Load the settings file (a regular file of at most 1 MiB) as the window's Open does: a faulty\n"
     "file sends nothing, and the report explains its error codes. Then write its ticket lines,\n"
     "type names and system parameters (--only ticket,names,params), and with --clock this\n"
     "computer's time. The unit's language is --unit-language zh, en or pl, or else the one chosen\n"
     "in the window's Language menu by the user running the tool; the report names it.\n"},
    {"upgrade", CliOptions::Verb::Upgrade,
     "Usage: tqmanage-cli upgrade IMAGE --port P... [--canary N] [--max-failed K] [--resume]\n"
     "                            [--timeout S] [--json] [--verbose]\n"
     "Update the firmware through the bootloader; the image is a regular file of 1 to {MAX} bytes.\n"
     "--canary N: the first N units alone; the rest only when all of them succeeded. --max-failed K:\n"
     "no unit is started once more than K failed (0: the first failure), and at most K+1 run at\n"
     "once; a stopped roll-out exits with 3. --resume: skip units the record shows upgraded with\n"
     "this very image.\n"},
    {"reset", CliOptions::Verb::Reset,
     "Usage: tqmanage-cli reset --port P... --yes [--timeout S] [--json] [--verbose]\n"
     "Restore the units' factory settings; without --yes nothing is sent.\n"},
    {"history", CliOptions::Verb::History,
     "Usage: tqmanage-cli history [--port P]... [--since DATE] [--json | --csv] [--record FILE]\n"
     "Every action the record holds, oldest first: time (UTC), unit, action, firmware, how far it\n"
     "got, result. --since 2024-03-01 (local midnight), 2024-03-01T14:00 or 2024-03-01T13:00Z.\n"},
    {"inventory", CliOptions::Verb::Inventory,
     "Usage: tqmanage-cli inventory [--json | --csv] [--record FILE]\n"
     "One row per unit of the record: its last reported firmware, the last settings file applied\n"
     "(name and SHA-256), the last upgrade, the last result and when.\n"},
};

const char *const Languages[] = {"zh", "en", "pl"};

// The image limit is the loader's, so the help cannot promise another.
QString withImageLimit(QString text)
{
    return text.replace(QLatin1String("{MAX}"), QString::number(FirmwareImage::MaxSize));
}

} // namespace

QString CliOptions::verbHelp(const QString &verb)
{
    for (const auto &v : Verbs)
        if (verb == QLatin1String(v.name))
            return withImageLimit(QString::fromLatin1(v.usage));
    return QString();
}

QString CliOptions::languageName(int code)
{
    return code >= 0 && code < 3 ? QString::fromLatin1(Languages[code]) : QString();
}

QString CliOptions::helpText()
{
    return withImageLimit(QStringLiteral(
        "Usage: tqmanage-cli VERB [ARGUMENT] [OPTIONS]\n"
        "Sets up queue-management units over their serial lines, several at once: one unit per\n"
        "--port, all in parallel, each on its own.\n"
        "\n"
        "Verbs:\n"
        "  ports                   The serial ports, as the window lists them, with their stable\n"
        "                          /dev/serial/by-id names, after a header line; with --discover\n"
        "                          also the units announced on the local network (help ports).\n"
        "  state --port P...       Each unit's firmware version, and whether it runs its bootloader.\n"
        "  apply FILE --port P...  Load the settings file as the window's Open does (a faulty file\n"
        "                          sends nothing) and write its ticket lines, type names and system\n"
        "                          parameters, as the window's batches, at the unit's pace.\n"
        "  upgrade IMAGE --port P...\n"
        "                          Update the firmware through the bootloader (image of 1 to\n"
        "                          {MAX} bytes).\n"
        "  reset --port P... --yes Restore the units' factory settings.\n"
        "  history                 The record of every action on every unit (--port, --since).\n"
        "  inventory               One row per unit: firmware, settings file, last upgrade, result.\n"
        "\n"
        "Options:\n"
        "  --port P                A unit's serial port (device path, by-id name or COM port), or\n"
        "                          a unit behind a serial device server: rfc2217://HOST:PORT,\n"
        "                          socket://HOST:PORT, rfc2217+tls:// or socket+tls:// with\n"
        "                          ?ca=FILE&cert=FILE&key=FILE (name=HOST: the name the\n"
        "                          server's certificate carries, for an IP address); repeatable.\n"
        "  --ports-from FILE       More units, one address a line (# comments; a saved ports\n"
        "                          list is read as it is); - reads standard input.\n"
        "  --only LIST             apply: only these of ticket,names,params (comma-separated).\n"
        "  --clock                 apply: also set the unit's clock from this computer's.\n"
        "  --unit-language L       apply: the language the unit prints and shows: zh, en or pl.\n"
        "                          Without it, the window's language of the user running the tool\n"
        "                          (root has its own); the report names the language sent.\n"
        "  --yes                   reset: confirm; without it nothing is sent.\n"
        "  --canary N, --max-failed K, --resume\n"
        "                          upgrade: a staged roll-out (see upgrade --help).\n"
        "  --record FILE           The record file instead of the default one\n"
        "                          (~/.local/state/tqmanage/record.jsonl).\n"
        "  --since DATE, --csv     history, inventory: from DATE on; CSV (RFC 4180).\n"
        "  --timeout S             Give a unit up when it does not answer within S seconds\n"
        "                          (0.1 to 3600, default 5); the report names the command it was\n"
        "                          waiting for.\n"
        "  --json                  The report as one JSON document on standard output.\n"
        "  --verbose               The tq.* debug log on standard error.\n"
        "  -h, --help              This help; VERB --help or help VERB: that verb's usage.\n"
        "  -v, --version           The version.\n"
        "\n"
        "Progress goes to standard error (one line per unit, kept up to date on a terminal; one\n"
        "summary line when the units outnumber its rows), the report to standard output: port,\n"
        "firmware version, what was written, result. Ctrl+C, SIGTERM and SIGHUP stop every unit,\n"
        "close the ports and report how far each unit got.\n"
        "\n"
        "Every action on a unit is appended to the record as one JSON line when it ends.\n"
        "\n"
        "Exit status: 0 when every unit acknowledged everything, 1 when any unit failed (or the\n"
        "settings file or image could not be used), 2 for a usage error, 3 when a staged\n"
        "roll-out stopped.\n"));
}

CliOptions CliOptions::parse(const QStringList &arguments)
{
    CliOptions o;
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("P"));
    const QCommandLineOption only(QStringLiteral("only"), QString(), QStringLiteral("LIST"));
    const QCommandLineOption clock(QStringLiteral("clock"), QString());
    const QCommandLineOption yes(QStringLiteral("yes"), QString());
    const QCommandLineOption timeout(QStringLiteral("timeout"), QString(), QStringLiteral("S"), QStringLiteral("5"));
    const QCommandLineOption json(QStringLiteral("json"), QString());
    const QCommandLineOption verbose(QStringLiteral("verbose"), QString());
    const QCommandLineOption language(QStringLiteral("unit-language"), QString(), QStringLiteral("L"));
    const QCommandLineOption discover(QStringLiteral("discover"), QString());
    const QCommandLineOption wait(QStringLiteral("wait"), QString(), QStringLiteral("S"));
    const QCommandLineOption all(QStringLiteral("all"), QString());
    const QCommandLineOption ca(QStringLiteral("ca"), QString(), QStringLiteral("FILE"));
    const FleetOptions fleet;
    const QList<QCommandLineOption> options = QList<QCommandLineOption>{help, version, port, only, clock, yes, timeout, json,
                                                                        verbose, language, discover, wait, all, ca}
        + fleet.all();
    parser.addOptions(options);
    const auto usage = [&o](const QString &message) {
        o.outcome = Outcome::UsageError;
        o.message = message;
        return o;
    };
    if (!parser.parse(arguments))
        return usage(parser.errorText());
    QStringList args = parser.positionalArguments();
    if (parser.isSet(help) || args.value(0) == QLatin1String("help")) {
        const QString topic = args.value(parser.isSet(help) ? 0 : 1);
        o.outcome = Outcome::Help;
        o.message = topic.isEmpty() ? helpText() : verbHelp(topic);
        if (o.message.isEmpty())
            return usage(QStringLiteral("unknown verb \"%1\"").arg(topic));
        return o;
    }
    if (parser.isSet(version)) {
        o.outcome = Outcome::Version;
        o.message = QStringLiteral("tqmanage-cli V" TQ_VERSION);
        return o;
    }
    if (args.isEmpty())
        return usage(QStringLiteral("no verb given"));
    const QString verb = args.takeFirst();
    o.verbName = verb;
    for (const auto &v : Verbs)
        if (verb == QLatin1String(v.name))
            o.verb = v.verb;
    if (o.verb == Verb::None)
        return usage(QStringLiteral("unknown verb \"%1\"").arg(verb));
    const bool takesFile = o.verb == Verb::Apply || o.verb == Verb::Upgrade;
    if (args.size() != (takesFile ? 1 : 0))
        return usage(takesFile ? QStringLiteral("%1 needs one file").arg(verb)
                               : QStringLiteral("%1 takes no argument: %2").arg(verb, args.join(QLatin1Char(' '))));
    // An option of one value given twice would quietly mean the last; only lists of units repeat.
    for (const QCommandLineOption &option : options) {
        const QString name = option.names().constFirst();
        const QStringList given = parser.values(option);
        if (name != port.names().constFirst() && name != fleet.portsFrom.names().constFirst() && given.size() > 1)
            return usage(QStringLiteral("--%1 is named twice (\"%2\" and \"%3\")").arg(name, given.at(0), given.at(1)));
    }
    o.file = args.value(0);
    o.ports = parser.values(port);
    for (QString &p : o.ports) // as the window takes a typed port: surrounding spaces are no part of it
        p = p.trimmed();
    o.json = parser.isSet(json);
    if (const QString wrong = fleet.apply(parser, o); !wrong.isEmpty())
        return usage(wrong);
    if ((o.acts() || o.verb == Verb::State) && o.ports.isEmpty())
        return usage(QStringLiteral("%1 needs at least one --port (or a --ports-from list)").arg(verb));
    o.clock = parser.isSet(clock);
    o.yes = parser.isSet(yes);
    o.verbose = parser.isSet(verbose);
    if (parser.isSet(only)) {
        // An empty list (an unset shell variable) must not mean "everything".
        o.only = parser.value(only).split(QLatin1Char(','));
        for (const QString &part : qAsConst(o.only))
            if (part != QLatin1String("ticket") && part != QLatin1String("names") && part != QLatin1String("params"))
                return usage(part.isEmpty() ? QStringLiteral("--only \"%1\" has an empty part; it takes ticket, names and params").arg(parser.value(only))
                                            : QStringLiteral("--only takes ticket, names and params, not \"%1\"").arg(part));
    }
    if ((parser.isSet(only) || o.clock || parser.isSet(language)) && o.verb != Verb::Apply)
        return usage(QStringLiteral("--only, --clock and --unit-language belong to apply"));
    if (parser.isSet(language)) {
        for (int code = 0; code < 3; ++code)
            if (parser.value(language) == QLatin1String(Languages[code]))
                o.unitLanguage = code;
        if (o.unitLanguage < 0)
            return usage(QStringLiteral("--unit-language takes zh, en or pl, not \"%1\"").arg(parser.value(language)));
    }
    if (o.yes && o.verb != Verb::Reset)
        return usage(QStringLiteral("--yes belongs to reset"));
    if (o.verb == Verb::Reset && !o.yes)
        return usage(QStringLiteral("reset restores the factory settings of every unit named: confirm with --yes"));
    if (parser.isSet(discover) && o.verb != Verb::Ports)
        return usage(QStringLiteral("--discover belongs to ports"));
    if ((parser.isSet(wait) || parser.isSet(all) || parser.isSet(ca)) && !parser.isSet(discover))
        return usage(QStringLiteral("--wait, --all and --ca belong to ports --discover"));
    o.discover = parser.isSet(discover);
    o.all = parser.isSet(all);
    if (parser.isSet(wait)) {
        bool number = false;
        const double s = parser.value(wait).toDouble(&number);
        if (!number || !std::isfinite(s) || s < 0.1 || s > 600)
            return usage(QStringLiteral("--wait needs a number of seconds from 0.1 to 600, not \"%1\"").arg(parser.value(wait)));
        o.waitMs = int(std::lround(s * 1000));
        o.waitGiven = true;
    }
    if (parser.isSet(ca)) {
        // Absolute: the addresses printed are used from wherever the next command runs.
        const QFileInfo file(parser.value(ca));
        if (!file.isFile() || !file.isReadable())
            return usage(QStringLiteral("--ca \"%1\" is not a readable file").arg(parser.value(ca)));
        o.caFile = file.absoluteFilePath();
    }
    bool ok = false;
    const double seconds = parser.value(timeout).toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds < 0.1 || seconds > 3600)
        return usage(QStringLiteral("--timeout needs a number of seconds from 0.1 to 3600, not \"%1\"").arg(parser.value(timeout)));
    o.timeoutMs = int(std::lround(seconds * 1000));
    return o;
}
