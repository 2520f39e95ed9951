#include "CRC16_Handle.h"

#include <cstring>

CRC16_Handle::CRC16_Handle()
{
    // The Modbus tables are the two bytes of the reflected CRC-16 (0xA001) table entries.
    for (unsigned i = 0; i < 256; ++i) {
        uint16_t entry = uint16_t(i);
        for (int bit = 0; bit < 8; ++bit)
            entry = (entry & 1) ? uint16_t((entry >> 1) ^ 0xA001) : uint16_t(entry >> 1);
        High[i] = uint8_t(entry & 0xFF);
        Low[i] = uint8_t(entry >> 8);
    }
}

uint16_t CRC16_Handle::crc(const uint8_t *data, std::size_t size) const
{
    uint8_t hi = 0xFF;
    uint8_t lo = 0xFF;
    for (std::size_t i = 0; i < size; ++i) {
        const uint8_t index = uint8_t(hi ^ data[i]);
        hi = uint8_t(lo ^ High[index]);
        lo = Low[index];
    }
    // hi ends as the value's low-order byte, lo as its high-order byte.
    return uint16_t(hi | (lo << 8));
}

QByteArray CRC16_Handle::package(const QByteArray &image, uint16_t n) const
{
    const qint64 offset = qint64(n) * SliceSize;
    if (offset > image.size())
        return QByteArray();
    const int length = int(qMin<qint64>(SliceSize, image.size() - offset));
    QByteArray out;
    out.reserve(length + 4);
    out.append(char(length >> 8)).append(char(length & 0xFF)).append(image.constData() + offset, length);
    const uint16_t value = crc(reinterpret_cast<const uint8_t *>(out.constData()), size_t(out.size()));
    return out.append(char(value & 0xFF)).append(char(value >> 8));
}

uint16_t CRC16_Handle::Build_Package(const uint8_t *app, uint32_t appSize, uint16_t n, uint8_t *out) const
{
    const QByteArray built = package(QByteArray::fromRawData(reinterpret_cast<const char *>(app), int(appSize)), n);
    if (!built.isEmpty())
        std::memcpy(out, built.constData(), size_t(built.size()));
    return uint16_t(built.size());
}
