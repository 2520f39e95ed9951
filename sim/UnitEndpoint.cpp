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

void UnitEndpoint::send(const QByteArray &bytes, const QByteArray &stateAfter)
{
    Log.record("tx", bytes, Index);
    if (!stateAfter.isEmpty())
        Log.record("tx", stateAfter, Index);
    if (Tcp)
        Tcp->write(bytes + stateAfter);
    else
        Pty.write(bytes + stateAfter);
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
    const bool announceAfter = Announce_Ms >= 0 && !replies.isEmpty() && !burst.startsWith("ATSW");
    int at = lineMs(burst.size());
    for (int i = 0; i < replies.size(); ++i) {
        const QByteArray &bytes = replies.at(i).bytes;
        // As a late reader gets them: the state reply in the same write as the last reply.
        const QByteArray stateAfter = announceAfter && Announce_Gap_Ms == 0 && i + 1 == replies.size() ? Unit.stateBytes()
                                                                                                      : QByteArray();
        at += replies.at(i).delayMs + lineMs(bytes.size() + stateAfter.size());
        if (at == 0) { // at once: a fleet's thousand units need no timer a reply
            send(bytes, stateAfter);
            continue;
        }
        // Precise: a delay near the tool's limit must not drift by the 5 % a coarse timer allows.
        QTimer::singleShot(at, Qt::PreciseTimer, this, [this, bytes, stateAfter] { send(bytes, stateAfter); });
    }
    if (announceAfter && Announce_Gap_Ms > 0)
        QTimer::singleShot(at + Announce_Gap_Ms, Qt::PreciseTimer, this, [this] { sendState(); });
}
