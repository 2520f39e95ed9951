#include "TcpPort.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

TcpPort::TcpPort(bool rfc2217, QObject *parent)
    : QObject(parent)
    , Rfc2217(rfc2217)
    , Server(new QTcpServer(this))
{
    connect(Server, &QTcpServer::newConnection, this, &TcpPort::accept);
}

TcpPort::~TcpPort() = default;

bool TcpPort::listen(const QString &hostPort, QString *error)
{
    const int colon = hostPort.lastIndexOf(QLatin1Char(':'));
    QString host = hostPort.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    bool ok = false;
    const uint port = hostPort.mid(colon + 1).toUInt(&ok);
    const QHostAddress address(host);
    if (colon < 0 || !ok || port > 65535 || address.isNull()) {
        *error = QStringLiteral("--listen needs HOST:PORT with a numeric host, e.g. 127.0.0.1:7001");
        return false;
    }
    if (!Server->listen(address, quint16(port))) {
        *error = QStringLiteral("cannot listen on %1: %2").arg(hostPort, Server->errorString());
        return false;
    }
    return true;
}

QString TcpPort::address() const
{
    const QHostAddress host = Server->serverAddress();
    const QString name = host.protocol() == QAbstractSocket::IPv6Protocol ? QLatin1Char('[') + host.toString() + QLatin1Char(']')
                                                                          : host.toString();
    return QStringLiteral("%1://%2:%3").arg(Rfc2217 ? QStringLiteral("rfc2217") : QStringLiteral("socket"), name)
        .arg(Server->serverPort());
}

void TcpPort::accept()
{
    while (QTcpSocket *next = Server->nextPendingConnection()) {
        if (Client)
            Client->abort();
        if (Client)
            Client->deleteLater();
        Client = next;
        Bursts.clear();
        if (Rfc2217)
            Codec = std::make_unique<TelnetCodec>(true, TelnetCodec::Role::Server);
        connect(next, &QTcpSocket::readyRead, this, &TcpPort::readAvailable);
        connect(next, &QTcpSocket::disconnected, next, &QObject::deleteLater);
        if (One_Client) {
            Server->pauseAccepting();
            connect(next, &QTcpSocket::disconnected, Server, &QTcpServer::resumeAccepting);
        }
    }
}

void TcpPort::readAvailable()
{
    if (!Client)
        return;
    const QByteArray bytes = Client->readAll();
    if (Codec) {
        Bursts.add(Codec->decode(bytes));
        Client->write(Codec->takeReplies());
    } else {
        Bursts.add(bytes);
    }
}

void TcpPort::write(const QByteArray &bytes)
{
    if (Client)
        Client->write(Codec ? TelnetCodec::encode(bytes) : bytes);
}
