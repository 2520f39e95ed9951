#pragma once

#include "ReplyFramer.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class LinkTransport;

// One serial port with the unit's line settings (115200 baud, 8N1, no flow control), or a unit
// behind a serial device server (rfc2217://, socket://, with +tls). Received bytes are framed as
// bursts by a 30 ms quiet gap (over a network: per reply, see ReplyFramer); a burst holding several
// replies, each ended by a line break, is delivered reply by reply, in order. Each text is
// GBK-decoded and cut at its first zero byte. The window's serial service and the command line
// both talk to units through it.
class SerialLink : public QObject
{
    Q_OBJECT

public:
    // Why the last open failed, in the system's words.
    struct Failure {
        QString reason;
        bool permissionDenied = false;
    };

    explicit SerialLink(QObject *parent = nullptr);
    ~SerialLink() override;

    bool open(const QString &portName);
    void close();
    bool isOpen() const { return Port_Open; }
    // The last link opened is (was) a network link; kept after it is lost, for the message.
    bool isNetwork() const { return Network; }
    Failure openFailure() const { return Open_Failure; }
    // The lines an open-failure message adds: the system's reason and, when the user may not open
    // the port, how to get the right (Unix: membership of the device's group).
    static QString explain(const QString &portName, const Failure &failure);
    // Both are dropped while no port is open.
    void sendText(const QString &text);
    void sendBytes(const QByteArray &bytes);

    static constexpr int BurstGapMs = 30;
    static constexpr qint64 ReadBufferLimit = 64 * 1024;

signals:
    void received(const QString &text);
    // The open port failed (unplugged, gone; over a network: not reached, not verified, dropped);
    // it is closed already.
    void lost(const QString &reason);

private:
    void bytesArrived();
    void endBurst();
    void deliver(const QList<QByteArray> &replies);
    void transportFailed(const QString &reason);
    void release();

    QPointer<LinkTransport> Transport;
    ReplyFramer Framer;
    QTimer RX_Timer;
    bool Port_Open = false;
    bool Network = false;
    Failure Open_Failure;
};
