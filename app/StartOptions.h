#pragma once

#include <QString>
#include <QStringList>

// What the command line asked for.
struct StartOptions {
    enum class Outcome { Run, Help, Version, Error };

    QStringList ports;
    QString connectPort;
    bool simulate = false;
    QString systemDir;
    QString screenshot;
    int screenshotDelay = 1500;
    bool verbose = false;    // the tq.* debug log on
    QString settingsFile;    // opened at start as Open would (a file manager's "Open with")
    QString recordFile;      // --record: where actions on units are recorded; empty: the default
    QString simulatorPort; // set by main once the simulator runs
    bool deferredStart = false; // set by main: what the first frame does not show waits for it

    Outcome outcome = Outcome::Run;
    QString message; // help text, version or error, for the caller to print

    static StartOptions parse(const QStringList &arguments);
    // The options a restarted instance must get again to find the same folder, ports and unit.
    QStringList restartArguments() const;
};
