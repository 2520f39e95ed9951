#include "ProgressSummary.h"

#include "UnitJob.h"

#include <cmath>

QString ProgressSummary::timeLeft(double doneFraction, qint64 elapsedMs)
{
    if (doneFraction <= 0 || doneFraction >= 1 || elapsedMs <= 0)
        return QString();
    const double seconds = std::ceil(double(elapsedMs) * (1 - doneFraction) / doneFraction / 1000);
    if (seconds < 120)
        return QStringLiteral("about %1 s left").arg(qint64(seconds));
    return QStringLiteral("about %1 min left").arg(qint64(std::ceil(seconds / 60)));
}

QString ProgressSummary::line(const QList<UnitJob *> &jobs, qint64 elapsedMs)
{
    int done = 0, failed = 0, running = 0, waiting = 0, notStarted = 0;
    double progress = 0;
    for (const UnitJob *job : jobs) {
        progress += job->progress();
        if (!job->isDone())
            (job->isStarted() ? running : waiting)++;
        else if (job->result().ok)
            ++done;
        else if (job->isStarted())
            ++failed;
        else
            ++notStarted;
    }
    QString text = QStringLiteral("%1 units: %2 done, %3 failed, %4 running").arg(jobs.size()).arg(done).arg(failed).arg(running);
    if (waiting > 0)
        text += QStringLiteral(", %1 waiting").arg(waiting);
    if (notStarted > 0)
        text += QStringLiteral(", %1 not started").arg(notStarted);
    const QString left = timeLeft(jobs.isEmpty() ? 0 : progress / jobs.size(), elapsedMs);
    return left.isEmpty() ? text : text + QStringLiteral("; ") + left;
}
