#pragma once

#include <QList>
#include <QString>

class UnitJob;

// One progress line for a run of more units than the terminal has rows: how many units are done,
// failed, running and waiting, and the time left at the pace so far.
namespace ProgressSummary {
QString line(const QList<UnitJob *> &jobs, qint64 elapsedMs);
// "about 12 s left", "about 3 min left"; empty with nothing to go by yet.
QString timeLeft(double doneFraction, qint64 elapsedMs);
} // namespace ProgressSummary
