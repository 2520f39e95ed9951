#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

class UnitJob;

// What the operator sees of a run: a live progress line per unit on standard error (kept in place
// on a terminal, one plain line per change otherwise), then the report on standard output, as a
// table or as one JSON document.
class Report : public QObject
{
public:
    Report(const QString &verb, const QList<UnitJob *> &jobs, std::FILE *progress, bool terminal);

    // Prints the report; the exit status follows from it: 0 when every unit got everything.
    int finish(bool json, std::FILE *out);
    // Columns of the terminal: a progress line longer than that would wrap and spoil the redraw.
    void setWidth(int columns) { Width = columns; }
    // Rows of the terminal: a run of more units than fit gets one summary line instead.
    void setHeight(int rows) { Height = rows; }
    // A staged roll-out stopped: the exit status says so.
    void setRolloutStopped(const QString &why) { Rollout_Stopped = why; }
    // Why nothing was sent to any unit, said once.
    void setError(const QString &error) { Error = error; }
    void addWarning(const QString &warning) { Warnings << warning; }
    // The language the units were given ("zh", "en", "pl"), when the run sends it.
    void setUnitLanguage(const QString &language) { Unit_Language = language; }

    // Control characters as escapes: a tab or newline from a port name or the unit must not move
    // the table's columns.
    static QString escaped(const QString &text);

    static constexpr int RolloutStoppedExitCode = 3;

private:
    void changed(UnitJob *job);
    void redraw();
    QString line(const UnitJob *job) const;

    QString Verb;
    QList<UnitJob *> Jobs;
    std::FILE *Progress;
    bool Terminal;
    int Drawn = 0; // lines drawn last time
    int Width = 80;
    int Height = 0;
    QString Rollout_Stopped;
    QElapsedTimer Clock;
    QString Error;
    QStringList Warnings;
    QString Unit_Language;
    QTimer Redraw_Timer;
};
