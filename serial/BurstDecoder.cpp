#include "BurstDecoder.h"

#include "ticket/Gbk.h"

#include <QByteArray>

QString decodeBurst(const QByteArray &burst)
{
    const int zero = burst.indexOf('\0');
    return Gbk::decode(zero < 0 ? burst : burst.left(zero));
}
