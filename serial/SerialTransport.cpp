#include "SerialTransport.h"

#include "PortProblem.h"

SerialTransport::SerialTransport(const QString &portName, QObject *parent)
    : LinkTransport(parent)
    , Port_Name(portName)
{
}

SerialTransport::~SerialTransport()
{
    release();
}

bool SerialTransport::open(SerialLink::Failure *failure)
{
    const QString &portName = Port_Name;
    Serial_Port = new QSerialPort(this);
    Serial_Port->setPortName(portName);
    if (!Serial_Port->open(QIODevice::ReadWrite)) {
        *failure = {Serial_Port->errorString(), Serial_Port->error() == QSerialPort::PermissionError};
        qCWarning(lcLink) << "open failed" << portName << failure->reason;
        release();
        return false;
    }
    Serial_Port->setBaudRate(QSerialPort::Baud115200, QSerialPort::AllDirections);
    Serial_Port->setParity(QSerialPort::NoParity);
    Serial_Port->setDataBits(QSerialPort::Data8);
    Serial_Port->setStopBits(QSerialPort::OneStop);
    Serial_Port->setFlowControl(QSerialPort::NoFlowControl);
    // A peer that never pauses must not grow memory without bound; the burst is cut at the limit.
    Serial_Port->setReadBufferSize(SerialLink::ReadBufferLimit);
    Serial_Port->clearError();
    Serial_Port->clear(QSerialPort::AllDirections);
    connect(Serial_Port, &QSerialPort::errorOccurred, this, &SerialTransport::portError);
    connect(Serial_Port, &QSerialPort::readyRead, this, &LinkTransport::readyRead);
    qCDebug(lcLink) << "opened" << portName;
    // After the caller has seen the open succeed, as a network link's comes later.
    QMetaObject::invokeMethod(this, &LinkTransport::up, Qt::QueuedConnection);
    return true;
}

void SerialTransport::release()
{
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

void SerialTransport::write(const QByteArray &bytes)
{
    if (!Serial_Port || Serial_Port->write(bytes) <= 0)
        return;
    // Out now, not when the event loop next looks: a batch times its next command from this moment,
    // and a dialog drawn in between would otherwise eat into the unit's pause. Only as much as the
    // port takes without waiting (a forced flush into a full port fails as if it were gone); the
    // rest goes when the port has room, as before.
    Writing = true;
    Serial_Port->waitForBytesWritten(0);
    if (Serial_Port && Serial_Port->error() == QSerialPort::TimeoutError)
        Serial_Port->clearError();
    Writing = false;
}

QByteArray SerialTransport::readAll()
{
    return Serial_Port ? Serial_Port->readAll() : QByteArray();
}

bool SerialTransport::readPending()
{
    if (!Serial_Port)
        return false;
    const qint64 before = Serial_Port->bytesAvailable();
    // A zero wait only reads what is there; finding nothing is reported as a time-out.
    Serial_Port->waitForReadyRead(0);
    if (!Serial_Port)
        return false;
    if (Serial_Port->error() == QSerialPort::TimeoutError)
        Serial_Port->clearError();
    return Serial_Port->bytesAvailable() > before;
}

void SerialTransport::portError(QSerialPort::SerialPortError error)
{
    // Qt reports NoError on every open and clearError, and a time-out only for a wait that found
    // nothing: neither is a failure.
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !Serial_Port)
        return;
    const QString reason = PortProblem::lostReason(Serial_Port->portName(), Serial_Port->errorString());
    qCWarning(lcLink) << "link failure" << error << reason;
    // Closed at once: a hung-up port may repeat its error in a tight loop while it stays open.
    release();
    // A port that fails while a command is written is reported from the event loop, as any other
    // failure: whoever sent the command is not yet done with it.
    if (Writing)
        QMetaObject::invokeMethod(this, [this, reason] { emit failed(reason); }, Qt::QueuedConnection);
    else
        emit failed(reason);
}
