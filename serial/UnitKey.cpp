#include "UnitKey.h"

#include "PortAddress.h"
#include "PortList.h"

QString UnitKey::ofAddress(const QString &address, const QString &byIdDir)
{
    if (PortAddress::looksRemote(address)) {
        const int query = address.indexOf(QLatin1Char('?'));
        return query < 0 ? address : address.left(query);
    }
    return PortList::stableLocation(address, byIdDir);
}
