#pragma once

#include <QList>
#include <QObject>
#include <QString>

class UnitJob;

// Starts the units of a run: all at once, or as a staged roll-out. The first `canary` units go
// alone and the rest follow only when all of them succeeded; with a threshold, no unit starts
// once the failures exceed it, and no more units run at once than failures are still allowed
// (threshold + 1, less each failure), so a bad image never reaches more than that many units.
// Units never started are reported "not started (roll-out stopped)".
class Rollout : public QObject
{
public:
    struct Policy {
        int canary = 0;
        int maxFailed = -1; // -1: no threshold
    };

    Rollout(const QList<UnitJob *> &jobs, const Policy &policy, QObject *parent = nullptr);

    void start();
    // Ctrl+C and the like: the units not started yet stay so.
    void interrupt();
    bool isDone() const;
    // Why the roll-out stopped (a canary failed, too many failures), or empty.
    QString stopped() const { return Stopped; }

private:
    void jobDone(UnitJob *job);
    void startMore();
    void stopRest(const QString &why);

    QList<UnitJob *> Jobs;
    Policy Rule;
    QList<UnitJob *> Waiting;
    QList<UnitJob *> Canaries;
    int Running = 0;
    int Failed = 0;
    bool Starting = false;
    QString Stopped;
};
