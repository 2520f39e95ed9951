#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class CommandBatch;
class UpgradeSession;

// One unit on one link, as the window and the command line both talk to it: whether the link is
// open, the state query (once the link is ready and the unit has had its moment, then again while
// the unit is silent, never during a firmware transfer), whether the unit is online and with which
// version, and where each received text goes: to the batch or the firmware transfer that runs.
// The owner feeds it what the link delivers and sends what it asks to send.
class UnitSession : public QObject
{
    Q_OBJECT

public:
    // How state replies are taken. Handed on (the window): every text goes to the batch and the
    // transfer, and every state reply shows the unit online again. Taken once (the command line):
    // the first state reply is the unit's state; a unit that gave it unasked is not asked, and later
    // ones are dropped, so an acknowledgement the unit follows with its state still counts and a
    // transfer never sees one.
    enum class StateReplies { HandedOn, TakenOnce };

    explicit UnitSession(StateReplies mode = StateReplies::HandedOn, QObject *parent = nullptr);

    // The port is open (a server may still be reached); closed, lost or never made.
    void opened();
    void closed();
    bool isOpen() const { return Open; }
    // The link carries data: the unit is asked for its state once more than StateQueryDelayMs
    // have passed.
    void linkReady();
    bool isOnline() const { return Online; }
    // The version of the last state reply, as received.
    QString version() const { return Version; }

    // One text the link delivered.
    void received(const QString &text);
    // A text went to the unit, whoever sent it: the batch's acknowledgement must come after it.
    void sent();

    // The batch that runs now gets the texts; null: none.
    void setBatch(CommandBatch *batch);
    // The firmware transfer that may run now gets the texts, and the unit is not asked for its
    // state meanwhile (its answer would end a transfer); null: none.
    void setUpgrade(UpgradeSession *upgrade);

signals:
    void sendText(const QString &text);
    // The state query went out for the first time on this connection.
    void asked();
    // A state reply: the unit is online with this version.
    void online(const QString &version);
    // The unit let its first state query go unanswered (said once a connection).
    void silent();

private:
    void askWhenDue(int connection, const QElapsedTimer &ready);
    void askAgain();
    void ask();

    const StateReplies Mode;
    bool Open = false;
    bool Online = false;
    QString Version;
    // Counts connections, so a query due on one is never sent on the next.
    int Connection = 0;
    QTimer Repeat;
    int Unanswered = 0;
    QPointer<CommandBatch> Batch;
    QPointer<UpgradeSession> Upgrade;
};
