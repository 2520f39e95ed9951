#pragma once

#include <QString>
#include <QStringList>

// What the command line of tqmanage-cli asked for: a verb, its argument and the options.
struct CliOptions {
    enum class Verb { None, Ports, State, Apply, Upgrade, Reset };
    enum class Outcome { Run, Help, Version, UsageError };

    Verb verb = Verb::None;
    QString file;       // the settings file of apply, the image of upgrade
    QStringList ports;
    QStringList only;   // apply: "ticket", "names", "params"; empty for all three
    bool clock = false; // apply: also set the unit's clock
    bool yes = false;   // reset: the operator confirmed it
    bool json = false;
    int timeoutMs = 5000;
    bool verbose = false;

    Outcome outcome = Outcome::Run;
    QString message; // help text, version or the usage error

    static CliOptions parse(const QStringList &arguments);
    static QString helpText();

    static constexpr int UsageExitCode = 2;
};
