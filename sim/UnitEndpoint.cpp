#include "UnitEndpoint.h"

#include <cstdio>

UnitEndpoint::UnitEndpoint(const SimUnit::Options &options, Journal &journal, int announceMs, int index, QObject *parent)
    : QObject(parent)
    , Unit(options)
    , Log(journal)
    , Announce_Ms(announceMs)
    , Index(index)
{
    connect(&Announcing, &QTimer::timeout, this, &UnitEndpoint::sendState);
}

bool UnitEndpoint::openPty(QString *error)
{
    if (!Pty.open(error))
        return false;
    Pty.setBurstHandler([this](const QByteArray &burst) { handle(burst); });
    Address = Pty.slavePath();
    if (Announce_Ms >= 0)
        Announcing.start(qMax(Announce_Ms, 10));
    return true;
}

bool UnitEndpoint::listen(const QString &hostPort, bool rfc2217, QString *error)
{
    Tcp = std::make_unique<TcpPort>(rfc2217);
    Tcp->setOneClientAtATime(Index >= 0);
    if (!Tcp->listen(hostPort, error))
        return false;
    Tcp->setBurstHandler([this](const QByteArray &burst) { handle(burst); });
    Address = Tcp->address();
    if (Announce_Ms >= 0)
        Announcing.start(qMax(Announce_Ms, 10));
    return true;
}

int UnitEndpoint::lineMs(int bytes) const
{
    return Baud > 0 ? int((qint64(bytes) * 10 * 1000 + Baud - 1) / Baud) : 0; // ten bits a byte
}

void UnitEndpoint::send(const QByteArray &bytes)
{
    Log.record("tx", bytes, Index);
    if (Tcp)
        Tcp->write(bytes);
    else
        Pty.write(bytes);
}

void UnitEndpoint::sendState()
{
    send(Unit.stateBytes());
}

void UnitEndpoint::handle(const QByteArray &burst)
{
    Log.record("rx", burst, Index);
    Announcing.stop();
    const QList<SimUnit::Reply> replies = Unit.handle(burst);
    for (const QString &n : Unit.takeNotes()) {
        Log.note(n, Index);
        if (Index < 0 && n.startsWith(QLatin1String("ticket")))
            std::printf("%s\n", n.toUtf8().constData());
    }
    std::fflush(stdout);
    int at = lineMs(burst.size());
    for (const SimUnit::Reply &reply : replies) {
        at += reply.delayMs + lineMs(reply.bytes.size());
        if (at == 0) { // at once: a fleet's thousand units need no timer a reply
            send(reply.bytes);
            continue;
        }
        // Precise: a delay near the tool's limit must not drift by the 5 % a coarse timer allows.
        QTimer::singleShot(at, Qt::PreciseTimer, this, [this, bytes = reply.bytes] { send(bytes); });
    }
    if (Announce_Ms >= 0 && !replies.isEmpty() && !burst.startsWith("ATSW"))
        QTimer::singleShot(at + SimUnit::SplitGapMs, Qt::PreciseTimer, this, [this] { sendState(); });
}
