#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

// What the command line of tqmanage-cli asked for: a verb, its argument and the options.
struct CliOptions {
    enum class Verb { None, Ports, State, Apply, Upgrade, Reset, History, Inventory };
    enum class Outcome { Run, Help, Version, UsageError };

    Verb verb = Verb::None;
    QString verbName;   // as typed, wherever the options stand
    QString file;       // the settings file of apply, the image of upgrade
    QStringList ports; // --port values, then the lines of the --ports-from lists
    QHash<QString, QString> unitNames; // address -> the name a unit found on the network announced
    QStringList only;   // apply: "ticket", "names", "params"; empty for all three
    bool clock = false; // apply: also set the unit's clock
    bool yes = false;   // reset: the operator confirmed it
    bool json = false;
    int timeoutMs = 5000;
    bool verbose = false;
    int unitLanguage = -1; // --unit-language as a language code; -1: the user's Language.ini
    bool discover = false;  // ports: also the units announced on the local network
    bool all = false;       // ports --discover: every serial service, not only management units
    int waitMs = 5000;      // ports --discover: how long to look at most
    bool waitGiven = false; // ... and then the whole time
    QString caFile;         // ports --discover: the CA for TLS units, absolute
    QString record;        // --record; empty: the default record file
    QDateTime since;       // history: from then on
    bool csv = false;      // history, inventory
    int canary = 0;        // upgrade: units upgraded alone first
    int maxFailed = -1;    // upgrade: failures allowed before the roll-out stops; -1: no limit
    bool resume = false;   // upgrade: skip units the record shows upgraded with this image

    Outcome outcome = Outcome::Run;
    QString message; // help text, version or the usage error

    static CliOptions parse(const QStringList &arguments);
    static QString helpText();
    // One verb's usage, or empty for an unknown verb.
    static QString verbHelp(const QString &verb);
    // The name --unit-language takes for a language code ("zh", "en", "pl").
    static QString languageName(int code);
    // Whether the verb acts on units (and so is recorded).
    bool acts() const { return verb == Verb::Apply || verb == Verb::Upgrade || verb == Verb::Reset; }

    static constexpr int UsageExitCode = 2;
};
