#include "PortEntry.h"

#include "PortAddress.h"

QString portEntry(const QString &manufacturer, const QString &systemLocation)
{
    return manufacturer + systemLocation;
}

QString portNameFromEntry(const QString &entry, const QString &systemLocation)
{
    // A discovered unit's entry is its announced name, which may hold anything, a backslash too.
    if (PortAddress::looksRemote(systemLocation))
        return systemLocation;
    const int backslash = entry.indexOf(QLatin1Char('\\'));
    if (backslash >= 0)
        return entry.mid(backslash);
    if (!systemLocation.isEmpty())
        return systemLocation;
    return entry;
}
