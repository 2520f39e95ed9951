#include "TcpTransport.h"

#include "ticket/Gbk.h"

#include <QCoreApplication>
#include <QRegularExpression>
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
        const int seconds = ConnectTimeoutMs / 1000;
        if (Tcp_Connected) // connected, but no TLS came back: a plain server, or a stuck one
            fail(QCoreApplication::translate("QObject", "TLS 握手超时: %1 在 %2 秒内没有完成 TLS 握手 (它是 TLS 服务器吗?)")
                     .arg(Address.endpoint()).arg(seconds));
        else
            fail(QCoreApplication::translate("QObject", "连接超时: %1 在 %2 秒内没有应答").arg(Address.endpoint()).arg(seconds));
    });
    connect(&Settle_Timer, &QTimer::timeout, this, [this] {
        qCWarning(lcLink) << Address.endpoint() << "the server did not confirm the line settings; sending anyway";
        lineReady();
    });
}

TcpTransport::~TcpTransport()
{
    release();
}

QTcpSocket *TcpTransport::makeSocket(SerialLink::Failure *)
{
    return new QTcpSocket(this);
}

void TcpTransport::startConnection()
{
    connect(Socket, &QTcpSocket::connected, this, &TcpTransport::streamUp);
    Socket->connectToHost(Address.host, Address.port); // names are looked up without blocking
}

bool TcpTransport::open(SerialLink::Failure *failure)
{
    Socket = makeSocket(failure);
    if (!Socket)
        return false;
    Socket->setReadBufferSize(ReadBufferLimit);
    connect(Socket, &QAbstractSocket::errorOccurred, this, &TcpTransport::socketError);
    connect(Socket, &QIODevice::readyRead, this, &TcpTransport::bytesArrived);
    connect(Socket, &QAbstractSocket::connected, this, [this] { Tcp_Connected = true; });
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
        lineReady();
    }
}

void TcpTransport::lineReady()
{
    if (Line_Ready)
        return;
    Settle_Timer.stop();
    Line_Ready = true;
    flush();
    emit up();
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

QString TcpTransport::upgradeObstacle() const
{
    if (!Telnet_Seen)
        return QString();
    return QCoreApplication::translate("QObject", "不能通过此连接升级固件: 服务器使用 telnet, 会改动固件里的 0xFF 字节; 请用 rfc2217:// 地址");
}

void TcpTransport::noteTelnet(const QByteArray &bytes)
{
    // The unit's text never holds 0xFF (GBK does not use it); IAC followed by a command does.
    for (const char c : bytes) {
        const auto b = uchar(c);
        if (Iac_Pending && b >= TelnetCodec::Sb && b <= TelnetCodec::Dont && !Telnet_Seen) {
            Telnet_Seen = true;
            qCWarning(lcLink) << Address.text << "telnet negotiation on a raw link";
            emit warning(QCoreApplication::translate("QObject", "此服务器使用 telnet: 请用 rfc2217:// 地址"));
        }
        Iac_Pending = b == TelnetCodec::Iac && !Iac_Pending;
    }
}

void TcpTransport::bytesArrived()
{
    if (!Socket)
        return;
    const QByteArray bytes = Socket->readAll();
    QByteArray data;
    if (!Codec) {
        data = bytes;
        if (!Telnet_Seen)
            noteTelnet(bytes);
    } else {
        data = Codec->decode(bytes);
        const QByteArray replies = Codec->takeReplies();
        if (!replies.isEmpty())
            Socket->write(replies);
        for (const QString &note : Codec->takeNotes())
            qCWarning(lcLink) << Address.endpoint() << note;
        if (Up && Codec->lineReady())
            lineReady();
    }
    if (data.isEmpty())
        return;
    Last_Words = (Last_Words + data).right(200);
    Last_Words_Clock.start();
    Incoming += data;
    emit readyRead();
}

QString TcpTransport::closedReason() const
{
    QString reason = QCoreApplication::translate("QObject", "服务器关闭了连接: %1").arg(Address.endpoint());
    if (Last_Words.isEmpty() || !Last_Words_Clock.isValid() || Last_Words_Clock.elapsed() > LastWordsMs)
        return reason;
    // Its last line: what came before it was the unit's.
    const QStringList lines = Gbk::decode(Last_Words).split(QRegularExpression(QStringLiteral("[\r\n]")), Qt::SkipEmptyParts);
    QString words = lines.value(lines.size() - 1);
    for (QChar &c : words)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    words = words.simplified();
    return words.isEmpty() ? reason : reason + QStringLiteral(": ") + words;
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
        // An unreachable network is a NetworkError at once and is named with the system's reason below.
        if (!Up)
            return fail(QCoreApplication::translate("QObject", "连接超时: %1 在 %2 秒内没有应答")
                            .arg(where).arg(ConnectTimeoutMs / 1000));
        break;
    case QAbstractSocket::RemoteHostClosedError:
        return fail(closedReason());
    case QAbstractSocket::SslHandshakeFailedError:
        // A certificate that fails verification was named already; anything else (an old protocol,
        // a server that speaks no TLS) comes with OpenSSL's reason.
        return fail(QCoreApplication::translate("QObject", "TLS 握手失败: %1: %2").arg(where, Socket->errorString()));
    case QAbstractSocket::SslInvalidUserDataError:
        return fail(QCoreApplication::translate("QObject", "客户端证书或私钥不能使用: %1").arg(Socket->errorString()));
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
