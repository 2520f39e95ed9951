#pragma once

#include "Journal.h"
#include "PtyPort.h"
#include "SimUnit.h"
#include "TcpPort.h"

#include <QObject>
#include <QTimer>

#include <memory>

// One simulated unit on its own port (a pseudo-terminal, or TCP): what it is sent goes to the
// unit, its replies go back at their delays, everything goes into the journal, and with announce
// the unit says its state unasked.
class UnitEndpoint : public QObject
{
public:
    // index: the unit's number in a simulated fleet (in the journal), -1 for a unit alone, which
    // also prints the tickets it is given.
    UnitEndpoint(const SimUnit::Options &options, Journal &journal, int announceMs, int index, QObject *parent = nullptr);

    bool openPty(QString *error);
    bool listen(const QString &hostPort, bool rfc2217, QString *error);
    // The path or address a client opens.
    QString address() const { return Address; }
    // Answers no sooner than a serial line of this many baud (8N1) carries the command and the
    // reply, as a real unit behind a serial device server does; 0: at once.
    void setLineRate(int baud) { Baud = baud; }
    // With announce: the time between a reply and the state reply after it; 0 sends both in one
    // write, as a PC that reads late gets them.
    void setAnnounceGap(int ms) { Announce_Gap_Ms = ms; }

private:
    void handle(const QByteArray &burst);
    void send(const QByteArray &bytes, const QByteArray &stateAfter = QByteArray());
    void sendState();
    int lineMs(int bytes) const;

    SimUnit Unit;
    Journal &Log;
    int Announce_Ms;
    int Index;
    int Baud = 0;
    int Announce_Gap_Ms = SimUnit::SplitGapMs;
    PtyPort Pty;
    std::unique_ptr<TcpPort> Tcp;
    QTimer Announcing;
    QString Address;
};
