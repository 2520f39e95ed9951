#include "FleetOptions.h"

#include "CliOptions.h"
#include "PortsFile.h"

#include <QCommandLineParser>

namespace {
// A whole number from 0 to a million, else -1.
int count(const QString &text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= 0 && n <= 1000000 ? n : -1;
}
} // namespace

QDateTime FleetOptions::parseDate(const QString &text)
{
    const QDate day = QDate::fromString(text, Qt::ISODate);
    if (day.isValid() && text.size() == 10)
        return QDateTime(day, QTime(0, 0));
    if (!text.contains(QLatin1Char('T')))
        return QDateTime();
    return QDateTime::fromString(text, Qt::ISODateWithMs);
}

QString FleetOptions::apply(const QCommandLineParser &parser, CliOptions &o) const
{
    using Verb = CliOptions::Verb;
    const bool upgrade = o.verb == Verb::Upgrade;
    const bool reads = o.verb == Verb::History || o.verb == Verb::Inventory;
    if ((parser.isSet(canary) || parser.isSet(maxFailed) || parser.isSet(resume)) && !upgrade)
        return QStringLiteral("--canary, --max-failed and --resume belong to upgrade");
    if (parser.isSet(since) && o.verb != Verb::History)
        return QStringLiteral("--since belongs to history");
    if (parser.isSet(csv) && !reads)
        return QStringLiteral("--csv belongs to history and inventory");
    if (parser.isSet(csv) && o.json)
        return QStringLiteral("--csv and --json: choose one");
    if (parser.isSet(record) && !reads && !o.acts())
        return QStringLiteral("--record belongs to apply, upgrade, reset, history and inventory");
    if (parser.isSet(portsFrom) && (reads || o.verb == Verb::Ports))
        return QStringLiteral("--ports-from names the units to act on; %1 takes none").arg(o.verbName);
    if (o.verb == Verb::Inventory && !o.ports.isEmpty())
        return QStringLiteral("inventory takes no --port: it lists every unit of the record");
    o.record = parser.value(record);
    if (parser.isSet(record) && o.record.isEmpty())
        return QStringLiteral("--record needs a file");
    o.csv = parser.isSet(csv);
    o.resume = parser.isSet(resume);
    if (parser.isSet(since)) {
        o.since = parseDate(parser.value(since));
        if (!o.since.isValid())
            return QStringLiteral("--since takes a date (2024-03-01) or a date and time (2024-03-01T14:00, "
                                  "2024-03-01T13:00Z), not \"%1\"").arg(parser.value(since));
    }
    if (parser.isSet(canary) && (o.canary = count(parser.value(canary))) < 0)
        return QStringLiteral("--canary needs a number of units, not \"%1\"").arg(parser.value(canary));
    if (parser.isSet(maxFailed) && (o.maxFailed = count(parser.value(maxFailed))) < 0)
        return QStringLiteral("--max-failed needs a number of failures (0: stop at the first), not \"%1\"")
            .arg(parser.value(maxFailed));
    if (o.verb == Verb::History)
        return QString(); // its --port values filter; they need not be units one can open
    QList<PortsFile::Entry> units;
    for (const QString &port : qAsConst(o.ports))
        units.append({port, QStringLiteral("--port"), QString()});
    for (const QString &list : parser.values(portsFrom)) {
        QString error;
        if (!PortsFile::read(list, &units, &error))
            return error;
    }
    o.ports.clear();
    for (const PortsFile::Entry &unit : qAsConst(units)) {
        o.ports << unit.address;
        if (!unit.name.isEmpty())
            o.unitNames.insert(unit.address, unit.name);
    }
    return PortsFile::duplicate(units);
}
