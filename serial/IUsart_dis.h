#pragma once

#include <QString>

// What the serial port service reports to its receiver, the device page.
class IUsart_dis
{
public:
    virtual void Receive_Data(QString dat) = 0;
    virtual void Link_Lost() = 0;

protected:
    ~IUsart_dis() = default;
};
