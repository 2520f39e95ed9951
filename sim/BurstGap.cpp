#include "BurstGap.h"

BurstGap::BurstGap(QObject *parent)
    : QObject(parent)
{
    Gap_Timer.setSingleShot(true);
    connect(&Gap_Timer, &QTimer::timeout, this, [this] {
        QByteArray burst;
        burst.swap(Pending);
        if (On_Burst && !burst.isEmpty())
            On_Burst(burst);
    });
}

void BurstGap::add(const QByteArray &bytes)
{
    Pending += bytes;
    Gap_Timer.start(GapMs);
}
