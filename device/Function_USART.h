#pragma once

#include "serial/IFunction.h"
#include "serial/SerialLink.h"
#include "serial/UnitDiscovery.h"

#include <QHash>
#include <QWidget>

#include <cstdint>

class IUsart_dis;

// The window's one serial connection to the unit: lists ports, opens them with the unit's line
// settings, sends text and raw bytes, and delivers each burst (bytes up to a 30 ms quiet gap) as
// one text to its receiver; a failing link is shown once and reported to the receiver. Units found
// on the network are listed after the local ports.
class Function_USART : public QWidget, public IFunction
{
public:
    explicit Function_USART(QWidget *parent);

    QStringList USART_COM_List() override;
    bool USART_Open(const QString &COM) override;
    void USART_Close() override;
    void USART_Send(const QString &str) override;
    QString USART_COM_Location(const QString &entry) const override;
    QString USART_COM_Details(const QString &entry) const override { return Entry_Details.value(entry); }
    QString USART_COM_Unit_Name(const QString &entry) const override { return Entry_Unit_Name.value(entry); }
    SerialLink::Failure USART_Open_Failure() const override { return Link.openFailure(); }

    void Set_Receiver(IUsart_dis *r);
    // A raw buffer's bytes; a transfer hands its packages to link() as they are.
    void Send_USART_QByteArray(uint8_t *buff, uint32_t len);
    // The link itself: a firmware transfer sends its texts and packages straight to it.
    SerialLink &link() { return Link; }

    // Ports the system does not enumerate (pseudo-terminals, virtual pairs), listed first.
    void Add_Extra_Port(const QString &systemLocation, const QString &manufacturer = QString());

    bool isPortOpen() const { return Link.isOpen(); }
    // Why no firmware image should go over the open link; empty when it may.
    QString upgradeObstacle() const { return Link.upgradeObstacle(); }

    // Units that announce themselves on the network join the list after the local ports.
    void startDiscovery() { Discovery.start(); }
    const UnitDiscovery &discovery() const { return Discovery; }

private:
    void USART_Error(const QString &reason);
    static QString discoveredDetails(const DiscoveredUnit &unit, const QString &ca);

    SerialLink Link;
    QStringList Port_List;
    IUsart_dis *Receiver = nullptr;

    QList<QPair<QString, QString>> Extra_Ports; // location, manufacturer
    QHash<QString, QString> Entry_Location;
    QHash<QString, QString> Entry_Details;
    QHash<QString, QString> Entry_Unit_Name;
    UnitDiscovery Discovery;
};
