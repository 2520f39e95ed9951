#pragma once

#include "SerialLink.h"

#include <QString>
#include <QStringList>

// What the device page asks of the serial port service.
class IFunction
{
public:
    virtual QStringList USART_COM_List() = 0;
    virtual bool USART_Open(const QString &COM) = 0;
    virtual void USART_Close() = 0;
    virtual void USART_Send(const QString &str) = 0;
    // The system location behind an entry of the last list (empty when unknown).
    virtual QString USART_COM_Location(const QString &entry) const = 0;
    // What the entry's tooltip and accessible description say about where it leads; empty for a
    // port that says it all in its entry.
    virtual QString USART_COM_Details(const QString &entry) const { Q_UNUSED(entry) return QString(); }
    // The name a unit found on the network announced, by which the record knows it; empty for others.
    virtual QString USART_COM_Unit_Name(const QString &entry) const { Q_UNUSED(entry) return QString(); }
    // Why the last open failed.
    virtual SerialLink::Failure USART_Open_Failure() const = 0;

protected:
    ~IFunction() = default;
};
