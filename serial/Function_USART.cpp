#include "Function_USART.h"

#include "BurstDecoder.h"
#include "Gbk.h"
#include "IUsart_dis.h"
#include "PortEntry.h"
#include "app/Language.h"
#include "app/PictureBox.h"

#include <QLoggingCategory>
#include <QSerialPortInfo>

Q_LOGGING_CATEGORY(lcSerial, "tq.serial")

Function_USART::Function_USART(QWidget *parent)
    : QWidget(parent)
{
    move(0, 20);
    RX_Timer.setSingleShot(true);
    RX_Timer.setTimerType(Qt::PreciseTimer);
    connect(&RX_Timer, &QTimer::timeout, this, &Function_USART::RX_Burst_End);
}

Function_USART::~Function_USART()
{
    releasePort();
}

QStringList Function_USART::USART_COM_List()
{
    Port_List.clear();
    Entry_Location.clear();
    auto add = [this](const QString &manufacturer, const QString &location) {
        const QString entry = portEntry(manufacturer, location);
        Port_List.append(entry);
        Entry_Location.insert(entry, location);
    };
    for (const auto &extra : qAsConst(Extra_Ports))
        add(extra.second, extra.first);
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        add(info.manufacturer(), info.systemLocation());
    return Port_List;
}

QString Function_USART::USART_COM_Location(const QString &entry) const
{
    return Entry_Location.value(entry);
}

void Function_USART::Add_Extra_Port(const QString &systemLocation, const QString &manufacturer)
{
    for (const auto &extra : qAsConst(Extra_Ports))
        if (extra.first == systemLocation)
            return;
    Extra_Ports.append({systemLocation, manufacturer});
}

void Function_USART::Set_Receiver(IUsart_dis *r)
{
    Receiver = r;
}

bool Function_USART::USART_Open(const QString &COM)
{
    // A port left from an earlier connection or a failed open goes first, so only one exists.
    releasePort();

    Serial_Port = new QSerialPort(this);
    Serial_Port->setPortName(COM);
    if (!Serial_Port->open(QIODevice::ReadWrite)) {
        qCWarning(lcSerial) << "open failed" << COM << Serial_Port->errorString();
        releasePort();
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

    connect(Serial_Port, &QSerialPort::errorOccurred, this, &Function_USART::USART_Error);
    connect(Serial_Port, &QSerialPort::readyRead, this, &Function_USART::RX_Timer_Restart);
    qCDebug(lcSerial) << "opened" << COM;
    return true;
}

void Function_USART::USART_Close()
{
    releasePort();
}

void Function_USART::releasePort()
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

void Function_USART::USART_Send(const QString &str)
{
    const QByteArray bytes = Gbk::encode(str);
    if (!Port_Open || !Serial_Port) {
        qCDebug(lcSerial) << "port not open, dropped" << str;
        return;
    }
    qCDebug(lcSerial) << "TX:" << str;
    Serial_Port->write(bytes);
}

void Function_USART::Send_USART_QByteArray(uint8_t *buff, uint32_t len)
{
    if (!Port_Open || !Serial_Port) {
        qCDebug(lcSerial) << "port not open, dropped" << len << "bytes";
        return;
    }
    qCDebug(lcSerial) << "TX" << len << "bytes";
    Serial_Port->write(reinterpret_cast<const char *>(buff), qint64(len));
}

void Function_USART::RX_Timer_Restart()
{
    RX_Timer.start(BurstGapMs);
}

void Function_USART::RX_Burst_End()
{
    RX_Timer.stop();
    if (!Port_Open || !Serial_Port)
        return;
    RX_Buffer = Serial_Port->readAll();
    const QString text = decodeBurst(RX_Buffer);
    RX_Buffer.clear();
    qCDebug(lcSerial) << "RX:" << text;
    if (Receiver)
        Receiver->Receive_Data(text);
}

void Function_USART::USART_Error(QSerialPort::SerialPortError error)
{
    // Qt reports NoError on every open and clearError: that is no failure.
    if (error == QSerialPort::NoError || !Port_Open)
        return;
    qCWarning(lcSerial) << "link failure" << error;
    // Close at once: a hung-up port may repeat its error in a tight loop while it stays open.
    releasePort();
    PictureBox::show(this, Read_Language(false) == Language_Polish ? QStringLiteral("Ostrzeżenie") : QStringLiteral("Warning"),
                     QObject::tr("设备连接发生异常请关闭所有操作并保持电脑和设备的可靠连接！"),
                     QStringLiteral(":/Res/Pic/Disconnect.png"));
    if (Receiver)
        Receiver->Link_Lost();
}
