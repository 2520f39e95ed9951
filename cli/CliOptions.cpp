#include "CliOptions.h"

#include <QCommandLineParser>

namespace {
const struct {
    const char *name;
    CliOptions::Verb verb;
} Verbs[] = {{"ports", CliOptions::Verb::Ports},
             {"state", CliOptions::Verb::State},
             {"apply", CliOptions::Verb::Apply},
             {"upgrade", CliOptions::Verb::Upgrade},
             {"reset", CliOptions::Verb::Reset}};
} // namespace

QString CliOptions::helpText()
{
    return QStringLiteral(
        "Usage: tqmanage-cli VERB [ARGUMENT] [OPTIONS]\n"
        "Sets up queue-management units over their serial lines, several at once: one unit per\n"
        "--port, all in parallel, each on its own.\n"
        "\n"
        "Verbs:\n"
        "  ports                   The serial ports, as the window lists them, with their stable\n"
        "                          /dev/serial/by-id names.\n"
        "  state --port P...       Each unit's firmware version, and whether it runs its bootloader.\n"
        "  apply FILE --port P...  Load the settings file as the window's Open does (a faulty file\n"
        "                          sends nothing) and write its ticket lines, type names and system\n"
        "                          parameters, as the window's batches, at the unit's pace. The\n"
        "                          unit's language is the tool's own (menu Language).\n"
        "  upgrade IMAGE --port P...\n"
        "                          Update the firmware through the bootloader (image of at most\n"
        "                          51200 bytes).\n"
        "  reset --port P... --yes Restore the units' factory settings.\n"
        "\n"
        "Options:\n"
        "  --port P                A unit's serial port (device path, by-id name or COM port);\n"
        "                          repeatable.\n"
        "  --only LIST             apply: only these of ticket,names,params (comma-separated).\n"
        "  --clock                 apply: also set the unit's clock from this computer's.\n"
        "  --yes                   reset: confirm; without it nothing is sent.\n"
        "  --timeout S             Give a unit up when it does not answer within S seconds\n"
        "                          (default 5); the report names the command it was waiting for.\n"
        "  --json                  The report as one JSON document on standard output.\n"
        "  --verbose               The tq.* debug log on standard error.\n"
        "  -h, --help              This help.\n"
        "  -v, --version           The version.\n"
        "\n"
        "Progress goes to standard error (one line per unit, kept up to date on a terminal), the\n"
        "report to standard output: port, firmware version, what was written, result. Ctrl+C stops\n"
        "every unit, closes the ports and reports what each unit got.\n"
        "\n"
        "Exit status: 0 when every unit acknowledged everything, 1 when any unit failed (or the\n"
        "settings file or image could not be used), 2 for a usage error.\n");
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
    parser.addOptions({help, version, port, only, clock, yes, timeout, json, verbose});
    const auto usage = [&o](const QString &message) {
        o.outcome = Outcome::UsageError;
        o.message = message;
        return o;
    };
    if (!parser.parse(arguments))
        return usage(parser.errorText());
    if (parser.isSet(help)) {
        o.outcome = Outcome::Help;
        o.message = helpText();
        return o;
    }
    if (parser.isSet(version)) {
        o.outcome = Outcome::Version;
        o.message = QStringLiteral("tqmanage-cli V1.0.7");
        return o;
    }
    QStringList args = parser.positionalArguments();
    if (args.isEmpty())
        return usage(QStringLiteral("no verb given"));
    const QString verb = args.takeFirst();
    for (const auto &v : Verbs)
        if (verb == QLatin1String(v.name))
            o.verb = v.verb;
    if (o.verb == Verb::None)
        return usage(QStringLiteral("unknown verb \"%1\"").arg(verb));
    const bool takesFile = o.verb == Verb::Apply || o.verb == Verb::Upgrade;
    if (args.size() != (takesFile ? 1 : 0))
        return usage(takesFile ? QStringLiteral("%1 needs one file").arg(verb)
                               : QStringLiteral("%1 takes no argument: %2").arg(verb, args.join(QLatin1Char(' '))));
    o.file = args.value(0);
    o.ports = parser.values(port);
    if (o.verb != Verb::Ports && o.ports.isEmpty())
        return usage(QStringLiteral("%1 needs at least one --port").arg(verb));
    if (o.ports.removeDuplicates() > 0)
        return usage(QStringLiteral("a port is named twice"));
    o.clock = parser.isSet(clock);
    o.yes = parser.isSet(yes);
    o.json = parser.isSet(json);
    o.verbose = parser.isSet(verbose);
    if (parser.isSet(only)) {
        o.only = parser.value(only).split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString &part : qAsConst(o.only))
            if (part != QLatin1String("ticket") && part != QLatin1String("names") && part != QLatin1String("params"))
                return usage(QStringLiteral("--only takes ticket, names and params, not \"%1\"").arg(part));
    }
    if ((parser.isSet(only) || o.clock) && o.verb != Verb::Apply)
        return usage(QStringLiteral("--only and --clock belong to apply"));
    if (o.yes && o.verb != Verb::Reset)
        return usage(QStringLiteral("--yes belongs to reset"));
    if (o.verb == Verb::Reset && !o.yes)
        return usage(QStringLiteral("reset restores the factory settings of every unit named: confirm with --yes"));
    bool ok = false;
    const double seconds = parser.value(timeout).toDouble(&ok);
    if (!ok || !(seconds > 0) || seconds > 3600) // "nan" reads as a number
        return usage(QStringLiteral("--timeout needs a number of seconds, not \"%1\"").arg(parser.value(timeout)));
    o.timeoutMs = int(seconds * 1000);
    return o;
}
