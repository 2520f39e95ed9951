#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <functional>

// The simulated unit's framing of what it receives: bytes up to a short quiet gap make one burst,
// whichever port (pseudo-terminal or TCP) they came through.
class BurstGap : public QObject
{
public:
    explicit BurstGap(QObject *parent = nullptr);

    void add(const QByteArray &bytes);
    void clear() { Pending.clear(); }
    void setHandler(std::function<void(const QByteArray &)> handler) { On_Burst = std::move(handler); }

    static constexpr int GapMs = 10;

private:
    QByteArray Pending;
    QTimer Gap_Timer;
    std::function<void(const QByteArray &)> On_Burst;
};
