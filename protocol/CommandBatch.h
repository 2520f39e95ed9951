#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

struct BatchKind;

// Sends a batch of commands one acknowledgement at a time. It polls the latest received text
// (120 ms before the first advance, 250 ms after), never times out and never retransmits.
class CommandBatch : public QObject
{
    Q_OBJECT

public:
    // list: the caller's batch (valid while this lives); rx: the latest received text, emptied here
    // after each advance; kind: the batch kind's name.
    CommandBatch(const QString *list, QString *rx, const QString &kind, QObject *parent = nullptr);

    // The log's first line, or empty for an unknown kind.
    QString headerLine() const;
    int commandCount() const { return Send_Count; }
    int sentCount() const { return Send_Index; }
    bool isComplete() const { return Complete; }

    void start();
    void poll();
    // Gives up when a command is not acknowledged within ms (the window never does: the operator
    // closes it). 0, the default, waits for ever.
    void setTimeout(int ms) { Timeout_Ms = ms; }
    QString waitingFor() const { return Send_Index > 0 && !Complete ? Send_List[Send_Index - 1] : QString(); }

    static constexpr int FirstPollMs = 120;
    static constexpr int LaterPollMs = 250;

signals:
    void send(const QString &command);
    void logLine(const QString &text);
    void progress(int percent);
    void completed();
    void timedOut(const QString &command);

private:
    void check(const BatchKind &kind);

    const QString *Send_List;
    QString *RX_dat;
    const BatchKind *Kind;
    QTimer Send_Timer;
    QTimer Timeout_Timer;
    int Timeout_Ms = 0;
    int Send_Count = 0;
    int Send_Index = 0;
    bool Complete = false;
};
