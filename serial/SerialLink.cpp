#include "SerialLink.h"

#include "BurstDecoder.h"
#include "ticket/Gbk.h"
#include "PortAddress.h"
#include "PortProblem.h"
#include "SerialTransport.h"
#include "TlsTransport.h"
#include "ticket/LogCategories.h"

#include <QCoreApplication>
#include <QLoggingCategory>

SerialLink::SerialLink(QObject *parent)
    : QObject(parent)
{
    RX_Timer.setSingleShot(true);
    RX_Timer.setTimerType(Qt::PreciseTimer);
    connect(&RX_Timer, &QTimer::timeout, this, &SerialLink::endBurst);
}

SerialLink::~SerialLink()
{
    release();
}

bool SerialLink::open(const QString &portName)
{
    // A port left from an earlier connection or a failed open goes first, so only one exists.
    release();
    Open_Failure = Failure();
    Warnings.clear();
    const PortAddress address = PortAddress::parse(portName);
    Network = address.isNetwork();
    if (address.isValid() && address.insecure)
        addWarning(QCoreApplication::translate("QObject", "服务器的证书没有验证 (insecure)"));
    if (!address.isValid()) {
        Open_Failure = {address.error, false};
        qCWarning(lcLink) << "open failed" << portName << Open_Failure.reason;
        return false;
    }
    if (!address.isNetwork())
        Transport = new SerialTransport(portName, this);
    else if (address.tls)
        Transport = new TlsTransport(address, this);
    else
        Transport = new TcpTransport(address, this);
    connect(Transport, &LinkTransport::readyRead, this, &SerialLink::bytesArrived);
    connect(Transport, &LinkTransport::failed, this, &SerialLink::transportFailed);
    connect(Transport, &LinkTransport::warning, this, &SerialLink::addWarning);
    connect(Transport, &LinkTransport::up, this, [this] {
        Ready = true;
        emit ready();
    });
    // A system that refuses at once (no route, no interface, no file descriptor left) says so
    // before open() returns; the link was never up, so this open fails with that reason.
    Opening = true;
    const bool started = Transport->open(&Open_Failure);
    Opening = false;
    if (!started || !Transport) {
        release();
        return false;
    }
    Port_Open = true;
    return true;
}

QString SerialLink::explain(const QString &portName, const Failure &failure)
{
    return PortProblem::explain(PortProblem::gather(portName, failure.reason, failure.permissionDenied));
}

void SerialLink::close()
{
    release();
}

void SerialLink::release()
{
    RX_Timer.stop();
    Framer.clear();
    Port_Open = false;
    Ready = false;
    if (!Transport)
        return;
    LinkTransport *transport = Transport;
    Transport = nullptr;
    transport->disconnect(this);
    transport->deleteLater();
}

void SerialLink::sendText(const QString &text)
{
    if (!Port_Open) {
        qCDebug(lcLink) << "port not open, dropped" << text;
        return;
    }
    qCDebug(lcLink) << "TX:" << text;
    Transport->write(Gbk::encode(text));
}

void SerialLink::sendBytes(const QByteArray &bytes)
{
    if (!Port_Open) {
        qCDebug(lcLink) << "port not open, dropped" << bytes.size() << "bytes";
        return;
    }
    qCDebug(lcLink) << "TX" << bytes.size() << "bytes";
    Transport->write(bytes);
}

void SerialLink::bytesArrived()
{
    if (!Transport->isNetwork()) {
        RX_Timer.start(BurstGapMs);
        return;
    }
    const QList<QByteArray> replies = Framer.feed(Transport->readAll());
    if (Framer.hasRest())
        RX_Timer.start(ReplyFramer::QuietMs);
    else
        RX_Timer.stop();
    deliver(replies);
}

void SerialLink::endBurst()
{
    if (!Port_Open)
        return;
    if (Transport->isNetwork())
        return deliver({Framer.takeRest()});
    // On a busy PC the gap may be judged over before bytes the system already holds were
    // announced: they belong to this burst, and the gap starts again.
    if (Transport->readPending()) {
        if (Port_Open)
            RX_Timer.start(BurstGapMs);
        return;
    }
    if (Port_Open)
        deliver(ReplyFramer::split(Transport->readAll()));
}

void SerialLink::deliver(const QList<QByteArray> &replies)
{
    // A receiver may close the link on a reply; what follows it is then dropped, as on a close.
    const QPointer<SerialLink> alive(this);
    for (const QByteArray &reply : replies) {
        if (!alive || !Port_Open)
            return;
        const QString text = decodeBurst(reply);
        qCDebug(lcLink) << "RX:" << text;
        emit received(text);
    }
}

void SerialLink::transportFailed(const QString &reason)
{
    if (Opening) {
        Open_Failure = {reason, false};
        release();
        return;
    }
    if (!Port_Open)
        return;
    // A server's last words before it closed ("Port already in use") still reach the receiver.
    const QPointer<SerialLink> alive(this);
    if (Framer.hasRest()) {
        RX_Timer.stop();
        emit received(decodeBurst(Framer.takeRest()));
        if (!alive || !Port_Open)
            return;
    }
    const bool wasReady = Ready;
    release();
    if (wasReady)
        emit lost(reason);
    else
        emit connectFailed(reason);
}

void SerialLink::addWarning(const QString &text)
{
    if (Warnings.contains(text))
        return;
    Warnings << text;
    emit warning(text);
}

QString SerialLink::upgradeObstacle() const
{
    return Transport ? Transport->upgradeObstacle() : QString();
}
