#pragma once

#include "BatchKind.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

// Sends a batch of commands one acknowledgement at a time. It keeps the latest text received and
// looks at it on its own ticks (120 ms before the first advance, 250 ms after); it never advances on
// receipt, never retransmits, and times out only when asked to.
class CommandBatch : public QObject
{
    Q_OBJECT

public:
    // The commands are taken from the front: the non-empty ones among the first the kind examines
    // are counted, and that many are sent in order.
    CommandBatch(BatchKind kind, QStringList commands, QObject *parent = nullptr);

    BatchKind kind() const { return Kind; }
    // The log's first line.
    QString headerLine() const { return BatchKinds::headerLine(Kind); }
    int commandCount() const { return Send_Count; }
    int sentCount() const { return Send_Index; }
    bool isComplete() const { return Complete; }

    void start();
    // The window closed or the unit was given up: nothing more is sent, nothing more is looked at.
    void stop();
    // Gives up when a command is not acknowledged within ms (the window never does: the operator
    // closes it). 0, the default, waits for ever.
    void setTimeout(int ms) { Timeout_Ms = ms; }
    QString waitingFor() const { return Send_Index > 0 && !Complete ? Commands.at(Send_Index - 1) : QString(); }

    static constexpr int FirstPollMs = 120;
    static constexpr int LaterPollMs = 250;

public slots:
    // The latest text from the unit; an earlier one not yet looked at is forgotten. It is looked at
    // on the next tick, never here: the pace of the batch is its own.
    void received(const QString &text) { Latest = text; }
    // Something went to the unit, from whoever: only a text received after it may acknowledge.
    void linkSent() { Latest.clear(); }

signals:
    void send(const QString &command);
    void logLine(const QString &text);
    void progress(int percent);
    void completed();
    void timedOut(const QString &command);
    // On each tick, just before the latest text is looked at: a holder of the text elsewhere hands
    // it over now.
    void looking();

private:
    void poll();
    void sendNext(int pollMs); // and look for its acknowledgement after pollMs

    const BatchKind Kind;
    const QStringList Commands;
    QString Latest;
    QTimer Send_Timer;
    QTimer Timeout_Timer;
    int Timeout_Ms = 0;
    int Send_Count = 0;
    int Send_Index = 0;
    bool Complete = false;
    bool Stopped = false;
};
