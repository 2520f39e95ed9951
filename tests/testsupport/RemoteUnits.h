#pragma once

// Units in other shops, on loopback: Debian's ser2net in front of simulators' pseudo-terminals, TLS
// certificates made at run time, and a proxy that cuts a server's bytes into late pieces.
#include <QObject>
#include <QProcess>
#include <QQueue>
#include <QRandomGenerator>
#include <QStringList>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>

class QTcpSocket;

namespace RemoteUnits {

// A free loopback port, picked by the system.
quint16 freePort();

// Two CAs and a server certificate from each, for 127.0.0.1 and the name tq-shop-pc.local, made by
// openssl in a temporary folder:
// ca.pem signs server.pem/server.key and the client's office.pem/office.key; other-ca.pem signs
// rogue.pem/rogue.key.
class Certificates
{
public:
    Certificates();
    bool made() const { return Made; }
    QString file(const QString &name) const { return Dir.filePath(name); }

private:
    QTemporaryDir Dir;
    bool Made = false;
};

// ser2net in front of devices. kind: "rfc2217" (telnet with Com Port Control), "socket" (raw TCP);
// with "+tls" the accepter sits in TLS with the given server certificate. Stopped by its PID.
class Ser2net
{
public:
    struct Accepter {
        QString kind;
        QString device;
        QString cert; // with tls: the server's certificate; its key is the same name with .key
        // With tls: only clients whose certificate this CA signed for the common name "office" get in
        // (ser2net's clientauth, as the README sets it up).
        QString clientCa = {};
    };
    // With mdnsName, each accepter listens on every address and is announced on the network
    // (DNS-SD) under that name, the second and later ones with " 2", " 3"..., with the TXT entry.
    explicit Ser2net(const QList<Accepter> &accepters, const QString &mdnsName = QString(), const QString &mdnsTxt = QString());
    ~Ser2net();
    bool started() const { return Started; }
    quint16 port(int i) const { return Ports.value(i); }
    QString address(int i, const QString &query = QString()) const;
    void kill();

private:
    QList<Accepter> Accepters;
    QList<quint16> Ports;
    QTemporaryDir Dir;
    QProcess Process;
    bool Started = false;
};

// Between a client and a server: what the server sends reaches the client cut into up to four
// pieces per read, each up to MaxDelayMs after the one before; the client's bytes pass at once.
class SplitProxy : public QObject
{
public:
    explicit SplitProxy(quint16 target, int maxDelayMs = 100);
    quint16 port() const { return Server.serverPort(); }

private:
    void accept();
    void sendNextPiece();

    quint16 Target;
    int Max_Delay;
    QTcpServer Server;
    QTcpSocket *Client = nullptr;
    QTcpSocket *Upstream = nullptr;
    QQueue<QByteArray> Pieces;
    QTimer Pace;
    QRandomGenerator Random{2217};
};

} // namespace RemoteUnits
