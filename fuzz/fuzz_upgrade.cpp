// The firmware transfer fed with whatever the unit might send: every package sent is a slice of
// the image with its length and a correct CRC, and no transfer sends more than its request limit.
#include "FuzzSupport.h"
#include "firmware/CRC16_Handle.h"
#include "firmware/UpgradeSession.h"

#include <QStringList>

TQ_FUZZ_TARGET(upgrade)
{
    Fuzz::ensureApplication();
    if (size < 2)
        return 0;
    const int imageSize = (data[0] << 8 | data[1]) % 51201;
    QByteArray image(imageSize, '\0');
    for (int i = 0; i < imageSize; ++i)
        image[i] = char(i * 31 + 7);
    UpgradeSession session;
    QList<QByteArray> packages;
    QObject::connect(&session, &UpgradeSession::sendPackage, [&packages](const QByteArray &p) { packages << p; });
    session.setImage(image);
    session.pressUpdate();
    const CRC16_Handle crc;
    for (const QByteArray &piece : Fuzz::pieces(data + 2, size - 2)) {
        const QString text = QString::fromUtf8(piece);
        const int before = packages.size();
        session.handle(text);
        FUZZ_CHECK(!session.isActive() || !session.isButtonEnabled(), text);
        FUZZ_CHECK(packages.size() <= before + 1, text);
        FUZZ_CHECK(packages.size() <= UpgradeSession::requestLimit(imageSize), text);
        if (packages.size() == before)
            continue;
        const QByteArray &p = packages.constLast();
        const int length = uint8_t(p.at(0)) << 8 | uint8_t(p.at(1));
        const int offset = UpgradeSession::packageNumber(text.section(QLatin1Char('+'), 2, 2)) * 1024;
        FUZZ_CHECK(p.size() == length + 4 && length <= 1024, text);
        FUZZ_CHECK(p.mid(2, length) == image.mid(offset, length), text);
        const uint16_t value = crc.crc(reinterpret_cast<const uint8_t *>(p.constData()), size_t(length + 2));
        FUZZ_CHECK(uint8_t(p.at(length + 2)) == (value & 0xFF) && uint8_t(p.at(length + 3)) == (value >> 8), text);
    }
    return 0;
}
