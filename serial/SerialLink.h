#pragma once

#include "ReplyFramer.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
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
    // The open link carries data (see ready()).
    bool isReady() const { return Ready; }
    // The last link opened is (was) a network link; kept after it is lost, for the message.
    bool isNetwork() const { return Network; }
    Failure openFailure() const { return Open_Failure; }
    // The lines an open-failure message adds: the system's reason and, when the user may not open
    // the port, how to get the right (Unix: membership of the device's group).
    static QString explain(const QString &portName, const Failure &failure);
    // Both are dropped while no port is open.
    void sendText(const QString &text);
    void sendBytes(const QByteArray &bytes);
    // What the operator should know about the last link opened (see warning()).
    QStringList warnings() const { return Warnings; }
    // Why no firmware image should go over the open link; empty when it may.
    QString upgradeObstacle() const;

    static constexpr int BurstGapMs = 30;
    static constexpr qint64 ReadBufferLimit = 64 * 1024;

signals:
    void received(const QString &text);
    // The open link carries data: a serial port at once, a server once it is reached, verified
    // and has set the line. The unit's time to answer counts from here.
    void ready();
    // The link was never ready (server not found, refused, not verified, timed out); it is closed.
    void connectFailed(const QString &reason);
    // The ready link failed (unplugged, gone, dropped); it is closed already.
    void lost(const QString &reason);
    // Something about the link the operator should see: the server's certificate is not checked,
    // a raw link to a telnet server, a key others may read.
    void warning(const QString &text);

private:
    void bytesArrived();
    void endBurst();
    void deliver(const QList<QByteArray> &replies);
    void transportFailed(const QString &reason);
    void addWarning(const QString &text);
    void release();

    QPointer<LinkTransport> Transport;
    ReplyFramer Framer;
    QTimer RX_Timer;
    bool Port_Open = false;
    bool Opening = false;
    bool Ready = false;
    bool Network = false;
    QStringList Warnings;
    Failure Open_Failure;
};
