#include "SerialLink.h"

#include "BurstDecoder.h"
#include "Gbk.h"
#include "PortProblem.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcLink, "tq.serial")

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
    Serial_Port = new QSerialPort(this);
    Serial_Port->setPortName(portName);
    if (!Serial_Port->open(QIODevice::ReadWrite)) {
        Open_Failure = {Serial_Port->errorString(), Serial_Port->error() == QSerialPort::PermissionError};
        qCWarning(lcLink) << "open failed" << portName << Open_Failure.reason;
        release();
        return false;
    }
    Serial_Port->setBaudRate(QSerialPort::Baud115200, QSerialPort::AllDirections);
    Serial_Port->setParity(QSerialPort::NoParity);
    Serial_Port->setDataBits(QSerialPort::Data8);
    Serial_Port->setStopBits(QSerialPort::OneStop);
    Serial_Port->setFlowControl(QSerialPort::NoFlowControl);
    // A peer that never pauses must not grow memory without bound; the burst is cut at the limit.
    Serial_Port->setReadBufferSize(ReadBufferLimit);
    Serial_Port->clearError();
    Serial_Port->clear(QSerialPort::AllDirections);
    Port_Open = true;
    connect(Serial_Port, &QSerialPort::errorOccurred, this, &SerialLink::portError);
    connect(Serial_Port, &QSerialPort::readyRead, this, &SerialLink::restartGap);
    qCDebug(lcLink) << "opened" << portName;
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
    RX_Buffer.clear();
    Port_Open = false;
    if (!Serial_Port)
        return;
    QSerialPort *port = Serial_Port;
    Serial_Port = nullptr;
    port->disconnect(this);
    if (port->isOpen()) {
        port->clear(QSerialPort::AllDirections);
        port->close();
    }
    port->deleteLater();
}

void SerialLink::sendText(const QString &text)
{
    if (!Port_Open) {
        qCDebug(lcLink) << "port not open, dropped" << text;
        return;
    }
    qCDebug(lcLink) << "TX:" << text;
    Serial_Port->write(Gbk::encode(text));
}

void SerialLink::sendBytes(const QByteArray &bytes)
{
    if (!Port_Open) {
        qCDebug(lcLink) << "port not open, dropped" << bytes.size() << "bytes";
        return;
    }
    qCDebug(lcLink) << "TX" << bytes.size() << "bytes";
    Serial_Port->write(bytes);
}

void SerialLink::restartGap()
{
    RX_Timer.start(BurstGapMs);
}

void SerialLink::endBurst()
{
    if (!Port_Open)
        return;
    RX_Buffer = Serial_Port->readAll();
    const QString text = decodeBurst(RX_Buffer);
    RX_Buffer.clear();
    qCDebug(lcLink) << "RX:" << text;
    emit received(text);
}

void SerialLink::portError(QSerialPort::SerialPortError error)
{
    // Qt reports NoError on every open and clearError: that is no failure.
    if (error == QSerialPort::NoError || !Port_Open)
        return;
    const QString reason = PortProblem::lostReason(Serial_Port->portName(), Serial_Port->errorString());
    qCWarning(lcLink) << "link failure" << error << reason;
    // Closed at once: a hung-up port may repeat its error in a tight loop while it stays open.
    release();
    emit lost(reason);
}
