#pragma once

#include <QList>
#include <QString>

// The serial ports of the PC as the port box shows them: the manufacturer followed by the location,
// which is the stable name under /dev/serial/by-id where the system gives a port one.
namespace PortList {
struct Port {
    QString manufacturer;
    QString location;
    QString entry;
};

QList<Port> available(const QString &byIdDir = QStringLiteral("/dev/serial/by-id"));
// The by-id name that points at this device, or the location itself.
QString stableLocation(const QString &systemLocation, const QString &byIdDir);
} // namespace PortList
