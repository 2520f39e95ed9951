#pragma once

#include <QCommandLineOption>
#include <QDateTime>
#include <QList>
#include <QString>

class QCommandLineParser;
struct CliOptions;

// The command line of a fleet: the record and reading it back (--record, --since, --csv), staged
// roll-outs (--canary, --max-failed, --resume) and lists of units (--ports-from).
struct FleetOptions {
    QCommandLineOption record{QStringLiteral("record"), QString(), QStringLiteral("FILE")};
    QCommandLineOption since{QStringLiteral("since"), QString(), QStringLiteral("DATE")};
    QCommandLineOption csv{QStringLiteral("csv"), QString()};
    QCommandLineOption canary{QStringLiteral("canary"), QString(), QStringLiteral("N")};
    QCommandLineOption maxFailed{QStringLiteral("max-failed"), QString(), QStringLiteral("K")};
    QCommandLineOption resume{QStringLiteral("resume"), QString()};
    QCommandLineOption portsFrom{QStringLiteral("ports-from"), QString(), QStringLiteral("FILE")};

    QList<QCommandLineOption> all() const { return {record, since, csv, canary, maxFailed, resume, portsFrom}; }
    // Takes what was given into o (o.ports holds the --port values and gains the lists' lines);
    // returns the usage error, or empty.
    QString apply(const QCommandLineParser &parser, CliOptions &o) const;
    // "2024-03-01" (local midnight), "2024-03-01T14:00" (local), "2024-03-01T13:00Z", "...+01:00".
    static QDateTime parseDate(const QString &text);
};
