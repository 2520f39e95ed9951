#include "Rollout.h"

#include "UnitJob.h"

#include <algorithm>

Rollout::Rollout(const QList<UnitJob *> &jobs, const Policy &policy, QObject *parent)
    : QObject(parent)
    , Jobs(jobs)
    , Rule(policy)
{
    for (UnitJob *job : jobs)
        connect(job, &UnitJob::done, this, [this, job] { jobDone(job); });
}

void Rollout::start()
{
    for (UnitJob *job : qAsConst(Jobs))
        if (!job->isDone()) // a unit skipped by --resume is done already
            Waiting << job;
    // The canaries are units that will really be upgraded.
    Canaries = Waiting.mid(0, qMax(0, Rule.canary));
    const QList<UnitJob *> canaries = Canaries;
    for (UnitJob *job : canaries)
        Waiting.removeOne(job);
    // One that fails at once stops the roll-out: the canaries after it are not started either.
    for (UnitJob *job : canaries) {
        if (!Stopped.isEmpty()) {
            Canaries.removeOne(job);
            job->leaveAlone(QStringLiteral("roll-out stopped"), false);
            continue;
        }
        ++Running;
        job->start();
    }
    if (Canaries.isEmpty())
        startMore();
}

void Rollout::startMore()
{
    // A unit that ends at once ends inside start(): this loop goes on, no deeper one begins.
    if (Starting)
        return;
    Starting = true;
    while (!Waiting.isEmpty() && Stopped.isEmpty()) {
        if (Rule.maxFailed >= 0 && Running >= Rule.maxFailed + 1 - Failed)
            break;
        UnitJob *job = Waiting.takeFirst();
        ++Running;
        job->start(); // may end at once (a port that cannot be opened)
    }
    Starting = false;
}

void Rollout::jobDone(UnitJob *job)
{
    if (!job->isStarted())
        return;
    --Running;
    const bool canary = Canaries.removeOne(job);
    if (!job->result().ok)
        ++Failed;
    if (canary && !job->result().ok) {
        stopRest(QStringLiteral("canary %1 failed").arg(job->result().port));
        return;
    }
    if (Rule.maxFailed >= 0 && Failed > Rule.maxFailed) {
        stopRest(QStringLiteral("%1 units failed, more than --max-failed %2").arg(Failed).arg(Rule.maxFailed));
        return;
    }
    if (Canaries.isEmpty() && Stopped.isEmpty())
        startMore();
}

void Rollout::stopRest(const QString &why)
{
    if (Stopped.isEmpty())
        Stopped = why;
    const QList<UnitJob *> left = Waiting;
    Waiting.clear();
    for (UnitJob *job : left)
        job->leaveAlone(QStringLiteral("roll-out stopped"), false);
}

void Rollout::interrupt()
{
    const QList<UnitJob *> left = Waiting;
    Waiting.clear();
    for (UnitJob *job : left)
        job->leaveAlone(QStringLiteral("interrupted"), false);
    for (UnitJob *job : qAsConst(Jobs))
        job->interrupt();
}

bool Rollout::isDone() const
{
    return std::all_of(Jobs.cbegin(), Jobs.cend(), [](const UnitJob *job) { return job->isDone(); });
}
