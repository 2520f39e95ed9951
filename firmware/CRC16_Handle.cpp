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

uint16_t CRC16_Handle::Build_Package(const uint8_t *app, uint32_t appSize, uint16_t n, uint8_t *out) const
{
    const uint64_t offset = uint64_t(n) * SliceSize;
    if (offset > appSize)
        return 0;
    const uint32_t length = uint32_t(std::min<uint64_t>(SliceSize, appSize - offset));
    out[0] = uint8_t(length >> 8);
    out[1] = uint8_t(length & 0xFF);
    if (length > 0)
        std::memcpy(out + 2, app + offset, length);
    const uint16_t value = crc(out, length + 2);
    out[length + 2] = uint8_t(value & 0xFF);
    out[length + 3] = uint8_t(value >> 8);
    return uint16_t(length + 4);
}
