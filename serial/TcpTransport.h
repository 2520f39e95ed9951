#pragma once

#include "LinkTransport.h"
#include "PortAddress.h"
#include "TelnetCodec.h"

#include <QAbstractSocket>
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

    static constexpr int ConnectTimeoutMs = 5000;
    static constexpr int LineSettleMs = 1000; // a server that never answers the line settings
    static constexpr int KeepAliveIdleS = 10;

protected:
    // The socket and how to reach the server; TLS replaces both.
    virtual QTcpSocket *makeSocket();
    virtual void startConnection();
    // The byte stream is up (for TLS: verified and encrypted).
    void streamUp();
    void fail(const QString &reason);

    const PortAddress Address;
    QPointer<QTcpSocket> Socket;

private:
    void socketError(QAbstractSocket::SocketError error);
    void bytesArrived();
    void flush();
    void enableKeepAlive();
    void release();

    std::unique_ptr<TelnetCodec> Codec;
    QByteArray Outgoing; // serial data waiting for the link
    QByteArray Incoming; // serial data not yet read
    QTimer Connect_Timer;
    QTimer Settle_Timer;
    bool Up = false;
    bool Line_Ready = false;
};
