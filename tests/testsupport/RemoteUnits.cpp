#include "RemoteUnits.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTcpSocket>
#include <QTest>

namespace RemoteUnits {

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

Certificates::Certificates()
{
    // EC keys: made in milliseconds, where RSA would take a noticeable while on a loaded machine.
    const auto openssl = [this](const QStringList &args) {
        QProcess p;
        p.setWorkingDirectory(Dir.path());
        p.start(QStringLiteral("openssl"), args);
        return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    };
    const QStringList ec{"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
    QFile ext(Dir.filePath("ext.cnf"));
    Made = Dir.isValid() && ext.open(QIODevice::WriteOnly) && ext.write("subjectAltName=IP:127.0.0.1,DNS:tq-shop-pc.local\n") > 0;
    ext.close();
    for (const auto &[ca, server, cn] : {std::tuple{"ca", "server", "Shop CA"}, std::tuple{"other-ca", "rogue", "Other CA"}}) {
        const QString c = QString::fromLatin1(ca), s = QString::fromLatin1(server);
        Made = Made && openssl(QStringList{"req", "-x509"} + ec + QStringList{"-keyout", c + ".key", "-out", c + ".pem", "-days", "2", "-subj", "/CN=" + QString::fromLatin1(cn)})
            && openssl(QStringList{"req"} + ec + QStringList{"-keyout", s + ".key", "-out", s + ".csr", "-subj", "/CN=shop-" + s})
            && openssl({"x509", "-req", "-in", s + ".csr", "-CA", c + ".pem", "-CAkey", c + ".key", "-CAcreateserial",
                        "-out", s + ".pem", "-days", "2", "-extfile", "ext.cnf"});
    }
    Made = Made && openssl(QStringList{"req"} + ec + QStringList{"-keyout", "office.key", "-out", "office.csr", "-subj", "/CN=office"})
        && openssl({"x509", "-req", "-in", "office.csr", "-CA", "ca.pem", "-CAkey", "ca.key", "-out", "office.pem", "-days", "2"});
}

Ser2net::Ser2net(const QList<Accepter> &accepters, const QString &mdnsName, const QString &mdnsTxt)
    : Accepters(accepters)
{
    QByteArray yaml;
    for (int i = 0; i < accepters.size(); ++i) {
        const Accepter &a = accepters.at(i);
        Ports << freePort();
        QString accepter = mdnsName.isEmpty() ? QStringLiteral("tcp,127.0.0.1,%1").arg(Ports.last())
                                              : QStringLiteral("tcp,%1").arg(Ports.last());
        QString options;
        if (a.kind.endsWith(QLatin1String("+tls"))) {
            QString key = a.cert;
            key.replace(QLatin1String(".pem"), QLatin1String(".key"));
            const QString clientAuth = a.clientCa.isEmpty() ? QString() : QStringLiteral(",clientauth");
            accepter = QStringLiteral("ssl(key=%1,cert=%2%3),").arg(key, a.cert, clientAuth) + accepter;
        }
        if (!a.clientCa.isEmpty()) { // <authdir>/<common name>/allowed_certs: the CA, hashed
            const QString allowed = Dir.filePath(QStringLiteral("auth%1/office/allowed_certs").arg(i));
            QDir().mkpath(allowed);
            QFile::copy(a.clientCa, allowed + QStringLiteral("/ca.pem"));
            QProcess::execute(QStringLiteral("openssl"), {"rehash", allowed});
            options = QStringLiteral("  options:\n    authdir: %1\n").arg(Dir.filePath(QStringLiteral("auth%1").arg(i)));
        }
        if (a.kind.startsWith(QLatin1String("rfc2217")))
            accepter = QStringLiteral("telnet(rfc2217),") + accepter;
        if (!mdnsName.isEmpty())
            options = (options.isEmpty() ? QStringLiteral("  options:\n") : options)
                      + QStringLiteral("    mdns: true\n    mdns-name: \"%1\"\n    mdns-txt: \"%2\"\n")
                            .arg(i == 0 ? mdnsName : QStringLiteral("%1 %2").arg(mdnsName).arg(i + 1), mdnsTxt);
        yaml += QStringLiteral("connection: &unit%1\n  accepter: %2\n  connector: serialdev,%3,115200n81,local\n%4")
                    .arg(i).arg(accepter, a.device, options).toUtf8();
    }
    QFile config(Dir.filePath("ser2net.yaml"));
    if (!config.open(QIODevice::WriteOnly) || config.write(yaml) != yaml.size())
        return;
    config.close();
    // -n: stay in the foreground, a child the test stops by its PID; -u: no UUCP lock files.
    Process.setStandardOutputFile(QProcess::nullDevice());
    Process.setStandardErrorFile(Dir.filePath("stderr")); // it complains of mDNS it does not need
    Process.start(QStringLiteral("ser2net"), {"-n", "-u", "-c", config.fileName(), "-P", Dir.filePath("pid")});
    if (!Process.waitForStarted(5000))
        return;
    const QDeadlineTimer deadline(10000);
    for (const quint16 port : qAsConst(Ports)) {
        bool up = false;
        while (!up && !deadline.hasExpired() && Process.state() == QProcess::Running) {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port);
            up = probe.waitForConnected(200);
            if (!up)
                QTest::qWait(50);
        }
        if (!up)
            return;
    }
    Started = true;
}

Ser2net::~Ser2net()
{
    kill();
}

void Ser2net::kill()
{
    // ser2net 4.3 does not end on SIGTERM while it holds connections; SIGKILL to its PID does.
    if (Process.state() != QProcess::NotRunning) {
        Process.kill();
        Process.waitForFinished(5000);
    }
}

QString Ser2net::address(int i, const QString &query) const
{
    QString kind = Accepters.value(i).kind;
    return QStringLiteral("%1://127.0.0.1:%2%3").arg(kind).arg(port(i)).arg(query.isEmpty() ? QString() : QLatin1Char('?') + query);
}

SplitProxy::SplitProxy(quint16 target, int maxDelayMs)
    : Target(target)
    , Max_Delay(maxDelayMs)
{
    Pace.setSingleShot(true);
    connect(&Pace, &QTimer::timeout, this, &SplitProxy::sendNextPiece);
    connect(&Server, &QTcpServer::newConnection, this, &SplitProxy::accept);
    Server.listen(QHostAddress::LocalHost);
}

void SplitProxy::accept()
{
    Client = Server.nextPendingConnection();
    Client->setParent(this);
    Upstream = new QTcpSocket(this);
    Upstream->connectToHost(QHostAddress::LocalHost, Target);
    // The client may speak before the server is reached.
    connect(Client, &QTcpSocket::readyRead, this, [this] {
        if (Upstream->state() == QAbstractSocket::ConnectedState)
            Upstream->write(Client->readAll());
    });
    connect(Upstream, &QTcpSocket::connected, this, [this] { Upstream->write(Client->readAll()); });
    connect(Upstream, &QTcpSocket::readyRead, this, [this] {
        // Up to four pieces per read, cut anywhere.
        const QByteArray bytes = Upstream->readAll();
        for (int at = 0, left = 4; at < bytes.size(); --left) {
            const int n = left == 1 ? bytes.size() - at : int(Random.bounded(1, bytes.size() - at + 1));
            Pieces.enqueue(bytes.mid(at, n));
            at += n;
        }
        if (!Pace.isActive())
            Pace.start(int(Random.bounded(Max_Delay + 1)));
    });
    // The server going away reaches the client after the last piece.
    connect(Upstream, &QTcpSocket::disconnected, this, [this] {
        Pieces.enqueue(QByteArray());
        if (!Pace.isActive())
            Pace.start(0);
    });
    connect(Client, &QTcpSocket::disconnected, Upstream, &QTcpSocket::disconnectFromHost);
}

void SplitProxy::sendNextPiece()
{
    if (Pieces.isEmpty() || !Client)
        return;
    const QByteArray piece = Pieces.dequeue();
    if (piece.isEmpty())
        Client->disconnectFromHost();
    else
        Client->write(piece);
    if (!Pieces.isEmpty())
        Pace.start(int(Random.bounded(Max_Delay + 1)));
}

} // namespace RemoteUnits
