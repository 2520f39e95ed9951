#include "TcpTransport.h"

#include <QCoreApplication>
#include <QTcpSocket>

#ifdef Q_OS_UNIX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

TcpTransport::TcpTransport(const PortAddress &address, QObject *parent)
    : LinkTransport(parent)
    , Address(address)
{
    if (address.kind == PortAddress::Kind::Rfc2217)
        Codec = std::make_unique<TelnetCodec>();
    Connect_Timer.setSingleShot(true);
    Settle_Timer.setSingleShot(true);
    connect(&Connect_Timer, &QTimer::timeout, this, [this] {
        fail(QCoreApplication::translate("QObject", "连接超时: %1 在 %2 秒内没有应答")
                 .arg(Address.endpoint()).arg(ConnectTimeoutMs / 1000));
    });
    connect(&Settle_Timer, &QTimer::timeout, this, [this] {
        qCWarning(lcLink) << Address.endpoint() << "the server did not confirm the line settings; sending anyway";
        Line_Ready = true;
        flush();
    });
}

TcpTransport::~TcpTransport()
{
    release();
}

QTcpSocket *TcpTransport::makeSocket()
{
    return new QTcpSocket(this);
}

void TcpTransport::startConnection()
{
    connect(Socket, &QTcpSocket::connected, this, &TcpTransport::streamUp);
    Socket->connectToHost(Address.host, Address.port); // names are looked up without blocking
}

bool TcpTransport::open(SerialLink::Failure *)
{
    Socket = makeSocket();
    if (!Socket)
        return false; // the subclass said why
    connect(Socket, &QAbstractSocket::errorOccurred, this, &TcpTransport::socketError);
    connect(Socket, &QIODevice::readyRead, this, &TcpTransport::bytesArrived);
    Connect_Timer.start(ConnectTimeoutMs);
    qCDebug(lcLink) << "connecting to" << Address.text;
    startConnection();
    return true;
}

void TcpTransport::streamUp()
{
    if (!Socket)
        return;
    Connect_Timer.stop();
    Up = true;
    enableKeepAlive();
    qCDebug(lcLink) << "connected to" << Address.endpoint();
    if (Codec) {
        Socket->write(Codec->start());
        Settle_Timer.start(LineSettleMs);
    } else {
        Line_Ready = true;
    }
    flush();
}

void TcpTransport::enableKeepAlive()
{
    Socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    Socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
#if defined(Q_OS_UNIX) && defined(TCP_KEEPIDLE)
    // The system's default waits two hours before the first probe; a dead shop line should show in
    // well under a minute (10 s idle, then 3 probes 5 s apart).
    const int fd = int(Socket->socketDescriptor());
    const int idle = KeepAliveIdleS, interval = 5, count = 3;
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
#endif
}

void TcpTransport::write(const QByteArray &bytes)
{
    Outgoing += bytes;
    flush();
}

void TcpTransport::flush()
{
    if (!Up || !Line_Ready || Outgoing.isEmpty() || !Socket)
        return;
    Socket->write(Codec ? TelnetCodec::encode(Outgoing) : Outgoing);
    Outgoing.clear();
}

QByteArray TcpTransport::readAll()
{
    QByteArray out;
    out.swap(Incoming);
    return out;
}

void TcpTransport::bytesArrived()
{
    if (!Socket)
        return;
    const QByteArray bytes = Socket->readAll();
    if (!Codec) {
        Incoming += bytes;
    } else {
        Incoming += Codec->decode(bytes);
        const QByteArray replies = Codec->takeReplies();
        if (!replies.isEmpty())
            Socket->write(replies);
        for (const QString &note : Codec->takeNotes())
            qCWarning(lcLink) << Address.endpoint() << note;
        if (!Line_Ready && Codec->lineReady()) {
            Settle_Timer.stop();
            Line_Ready = true;
            flush();
        }
    }
    if (!Incoming.isEmpty())
        emit readyRead();
}

void TcpTransport::socketError(QAbstractSocket::SocketError error)
{
    if (!Socket)
        return;
    const QString where = Address.endpoint();
    switch (error) {
    case QAbstractSocket::HostNotFoundError:
        return fail(QCoreApplication::translate("QObject", "找不到主机: %1").arg(Address.host));
    case QAbstractSocket::ConnectionRefusedError:
        return fail(QCoreApplication::translate("QObject", "连接被拒绝: %1 (服务器没有在此端口上运行?)").arg(where));
    case QAbstractSocket::SocketTimeoutError:
    case QAbstractSocket::NetworkError:
        if (!Up)
            return fail(QCoreApplication::translate("QObject", "连接超时: %1 在 %2 秒内没有应答")
                            .arg(where).arg(ConnectTimeoutMs / 1000));
        break;
    case QAbstractSocket::RemoteHostClosedError:
        return fail(QCoreApplication::translate("QObject", "服务器关闭了连接: %1").arg(where));
    case QAbstractSocket::SslHandshakeFailedError:
        return; // TLS says why in its own handler
    default:
        break;
    }
    fail(QCoreApplication::translate("QObject", "网络连接失败: %1: %2").arg(where, Socket->errorString()));
}

void TcpTransport::fail(const QString &reason)
{
    if (!Socket)
        return;
    qCWarning(lcLink) << "link failure" << Address.text << reason;
    release();
    emit failed(reason);
}

void TcpTransport::release()
{
    Connect_Timer.stop();
    Settle_Timer.stop();
    Up = false;
    Outgoing.clear();
    if (!Socket)
        return;
    QTcpSocket *socket = Socket;
    Socket = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}
