#pragma once

#include "LinkTransport.h"
#include "PortAddress.h"
#include "TelnetCodec.h"

#include <QAbstractSocket>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <memory>

class QTcpSocket;

// A unit behind a serial device server, over TCP: raw bytes (socket://) or telnet with Com Port
// Control (rfc2217://). Connecting runs on the event loop; what is written meanwhile waits until
// the link is up and, for RFC 2217, the server has set the line (or has had a second to).
class TcpTransport : public LinkTransport
{
    Q_OBJECT

public:
    explicit TcpTransport(const PortAddress &address, QObject *parent = nullptr);
    ~TcpTransport() override;

    bool open(SerialLink::Failure *failure) override;
    void write(const QByteArray &bytes) override;
    QByteArray readAll() override;
    bool isNetwork() const override { return true; }
    QString upgradeObstacle() const override;

    // For the connect, and again for a TLS handshake: the server's own limits, not the unit's.
    static constexpr int ConnectTimeoutMs = 5000;
    static constexpr int LineSettleMs = 1000; // a server that never answers the line settings
    static constexpr int KeepAliveIdleS = 10;
    // What the socket holds between two reads: a flooding server is slowed down, not stored.
    static constexpr qint64 ReadBufferLimit = 64 * 1024;
    // Text a server sends this shortly before it closes is its reason ("Port already in use").
    static constexpr int LastWordsMs = 2000;

protected:
    // The socket and how to reach the server; TLS replaces both. No socket: failure says why.
    virtual QTcpSocket *makeSocket(SerialLink::Failure *failure);
    virtual void startConnection();
    // The byte stream is up (for TLS: verified and encrypted).
    void streamUp();
    void fail(const QString &reason);
    // The TCP connection exists; for TLS the handshake gets a limit of its own.
    bool tcpConnected() const { return Tcp_Connected; }
    void restartConnectTimer() { Connect_Timer.start(ConnectTimeoutMs); }

    const PortAddress Address;
    QPointer<QTcpSocket> Socket;

private:
    void socketError(QAbstractSocket::SocketError error);
    void bytesArrived();
    void noteTelnet(const QByteArray &bytes);
    void lineReady();
    void flush();
    void enableKeepAlive();
    void release();
    QString closedReason() const;

    std::unique_ptr<TelnetCodec> Codec;
    QByteArray Outgoing; // serial data waiting for the link
    QByteArray Incoming; // serial data not yet read
    QTimer Connect_Timer;
    QTimer Settle_Timer;
    bool Tcp_Connected = false;
    bool Up = false;
    bool Line_Ready = false;
    bool Telnet_Seen = false; // a raw link that got telnet negotiation
    bool Iac_Pending = false;
    QByteArray Last_Words;
    QElapsedTimer Last_Words_Clock;
};
