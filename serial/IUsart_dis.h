#pragma once

#include <QString>

// What the serial port service reports to its receiver, the device page.
class IUsart_dis
{
public:
    virtual void Receive_Data(QString dat) = 0;
    virtual void Link_Lost() = 0;
    // The open link carries data: a serial port at once, a server once reached and verified.
    virtual void Link_Ready() {}
    // The link never carried data (server not found, refused, not verified); reason says why.
    virtual void Link_Failed(QString reason) { Q_UNUSED(reason) }
    // Something about the link the operator should see: no certificate check, a telnet server.
    virtual void Link_Warning(QString text) { Q_UNUSED(text) }

protected:
    ~IUsart_dis() = default;
};
