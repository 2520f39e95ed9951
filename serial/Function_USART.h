#pragma once

#include "IFunction.h"

#include <QByteArray>
#include <QHash>
#include <QPointer>
#include <QSerialPort>
#include <QTimer>
#include <QWidget>

#include <cstdint>

class IUsart_dis;

// The one serial connection to the unit: lists ports, opens them with the unit's line settings,
// sends text and raw bytes, and delivers each burst (bytes up to a 30 ms quiet gap) as one text.
class Function_USART : public QWidget, public IFunction
{
public:
    explicit Function_USART(QWidget *parent);
    ~Function_USART() override;

    QStringList USART_COM_List() override;
    bool USART_Open(const QString &COM) override;
    void USART_Close() override;
    void USART_Send(const QString &str) override;
    QString USART_COM_Location(const QString &entry) const override;

    void Set_Receiver(IUsart_dis *r);
    void Send_USART_QByteArray(uint8_t *buff, uint32_t len);

    // Ports the system does not enumerate (pseudo-terminals, virtual pairs), listed first.
    void Add_Extra_Port(const QString &systemLocation, const QString &manufacturer = QString());

    bool isPortOpen() const { return Port_Open; }

    static constexpr int BurstGapMs = 30;
    static constexpr qint64 ReadBufferLimit = 64 * 1024;

private:
    void RX_Timer_Restart();
    void RX_Burst_End();
    void USART_Error(QSerialPort::SerialPortError error);
    void releasePort();

    QPointer<QSerialPort> Serial_Port;
    QStringList Port_List;
    IUsart_dis *Receiver = nullptr;
    QByteArray RX_Buffer;
    QTimer RX_Timer;
    bool Port_Open = false;

    QList<QPair<QString, QString>> Extra_Ports; // location, manufacturer
    QHash<QString, QString> Entry_Location;
};
