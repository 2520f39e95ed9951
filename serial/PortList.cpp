#include "PortList.h"

#include "PortEntry.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

QString PortList::stableLocation(const QString &systemLocation, const QString &byIdDir)
{
    const QString device = QFileInfo(systemLocation).canonicalFilePath();
    const QFileInfoList links = QDir(byIdDir).entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &link : links)
        if (link.isSymLink() && !device.isEmpty() && link.canonicalFilePath() == device)
            return link.absoluteFilePath();
    return systemLocation;
}

QList<PortList::Port> PortList::available(const QString &byIdDir)
{
    QList<Port> ports;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        const QString location = stableLocation(info.systemLocation(), byIdDir);
        ports << Port{info.manufacturer(), location, portEntry(info.manufacturer(), location), info.systemLocation()};
    }
    return ports;
}
