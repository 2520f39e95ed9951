#pragma once

#include <QList>
#include <QString>

// The serial ports of the PC as the port box shows them: the manufacturer followed by the location,
// which is the stable name under /dev/serial/by-id where the system gives a port one.
namespace PortList {
struct Port {
    QString manufacturer;
    QString location; // the by-id name where there is one, else the device itself
    QString entry;
    QString device;   // the system's location of the device (/dev/ttyUSB0, COM3)
};

QList<Port> available(const QString &byIdDir = QStringLiteral("/dev/serial/by-id"));
// The by-id name that points at this device, or the location itself.
QString stableLocation(const QString &systemLocation, const QString &byIdDir);
} // namespace PortList
