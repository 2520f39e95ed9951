#include "UnitSession.h"

#include "CommandBatch.h"
#include "Commands.h"
#include "StateReply.h"
#include "firmware/UpgradeSession.h"
#include "ticket/LogCategories.h"

UnitSession::UnitSession(StateReplies mode, QObject *parent)
    : QObject(parent)
    , Mode(mode)
{
    // The window's repeat has always been a coarse timer, the command line's a precise one.
    Repeat.setTimerType(mode == StateReplies::TakenOnce ? Qt::PreciseTimer : Qt::CoarseTimer);
    connect(&Repeat, &QTimer::timeout, this, &UnitSession::askAgain);
}

void UnitSession::opened()
{
    ++Connection;
    Open = true;
}

void UnitSession::closed()
{
    ++Connection;
    Open = false;
    Online = false;
    Version.clear();
    Repeat.stop();
}

void UnitSession::linkReady()
{
    if (!Open)
        return;
    QElapsedTimer ready;
    ready.start();
    askWhenDue(Connection, ready);
}

void UnitSession::askWhenDue(int connection, const QElapsedTimer &ready)
{
    // Measured on the monotonic clock: setting the PC's clock must not move the query.
    const int remaining = int(qMax<qint64>(0, Commands::StateQueryDelayMs + 1 - ready.elapsed()));
    QTimer::singleShot(remaining, Qt::PreciseTimer, this, [this, connection, ready] {
        if (connection != Connection || !Open)
            return; // closed or reconnected meanwhile
        if (ready.elapsed() <= Commands::StateQueryDelayMs)
            return askWhenDue(connection, ready);
        if (Mode == StateReplies::TakenOnce && Online)
            return; // the unit said it unasked
        Unanswered = 0;
        ask();
        emit asked();
        Repeat.start(Commands::StateQueryRepeatMs);
    });
}

void UnitSession::askAgain()
{
    if (!Open || Online) {
        Repeat.stop();
        return;
    }
    if (Upgrade)
        return;
    // Once: the operator should look at the unit rather than wait for it.
    if (++Unanswered == 1)
        emit silent();
    ask();
}

void UnitSession::ask()
{
    sent();
    emit sendText(Commands::stateQuery());
}

void UnitSession::sent()
{
    if (Batch)
        Batch->linkSent();
}

void UnitSession::received(const QString &text)
{
    const auto version = stateReplyVersion(text);
    if (version && Mode == StateReplies::TakenOnce && Online) {
        qCDebug(lcSession) << "state reply said again, dropped" << text;
        return;
    }
    if (Batch)
        Batch->received(text);
    if (Upgrade)
        Upgrade->handle(text);
    if (!version)
        return;
    Online = true;
    Version = *version;
    Repeat.stop();
    emit online(*version);
}

void UnitSession::setBatch(CommandBatch *batch)
{
    Batch = batch;
}

void UnitSession::setUpgrade(UpgradeSession *upgrade)
{
    Upgrade = upgrade;
}
