#pragma once

#include "LinkTransport.h"

#include <QPointer>
#include <QSerialPort>

// A serial port on this PC with the unit's line settings (115200 baud, 8N1, no flow control).
class SerialTransport : public LinkTransport
{
    Q_OBJECT

public:
    explicit SerialTransport(const QString &portName, QObject *parent = nullptr);
    ~SerialTransport() override;

    bool open(SerialLink::Failure *failure) override;
    void write(const QByteArray &bytes) override;
    QByteArray readAll() override;
    bool readPending() override;
    bool isNetwork() const override { return false; }

private:
    void portError(QSerialPort::SerialPortError error);
    void release();

    QString Port_Name;
    QPointer<QSerialPort> Serial_Port;
    bool Writing = false;
};
