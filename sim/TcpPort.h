#pragma once

#include "BurstGap.h"
#include "serial/TelnetCodec.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QTcpServer;
class QTcpSocket;

// The unit's end served over TCP instead of a pseudo-terminal, as a serial device server would
// serve it: raw bytes, or telnet with Com Port Control (--rfc2217). One client at a time; a new one
// takes the place of the old. Received bytes are framed by the same short gap as on the pty.
class TcpPort : public QObject
{
public:
    explicit TcpPort(bool rfc2217, QObject *parent = nullptr);
    ~TcpPort() override;

    // HOST:PORT, [IPv6]:PORT; port 0 picks a free one.
    bool listen(const QString &hostPort, QString *error);
    // The address a client opens: rfc2217://HOST:PORT or socket://HOST:PORT.
    QString address() const;
    void write(const QByteArray &bytes);
    void setBurstHandler(std::function<void(const QByteArray &)> handler) { Bursts.setHandler(std::move(handler)); }
    // No new client is taken while one is connected: a fleet's thousand listening sockets then
    // leave the event loop's list once their client is there.
    void setOneClientAtATime(bool one) { One_Client = one; }

private:
    void accept();
    void readAvailable();

    bool Rfc2217;
    bool One_Client = false;
    QTcpServer *Server = nullptr;
    QPointer<QTcpSocket> Client;
    std::unique_ptr<TelnetCodec> Codec;
    BurstGap Bursts;
};
