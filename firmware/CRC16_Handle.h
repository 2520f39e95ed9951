#pragma once

#include <QByteArray>

#include <array>
#include <cstddef>
#include <cstdint>

// CRC-16/MODBUS in the table form of the Modbus serial line (high-order and low-order tables),
// and the firmware package built with it.
class CRC16_Handle
{
public:
    CRC16_Handle();

    // Package n of the image: length (2 bytes, high first), the slice, CRC low byte, CRC high byte;
    // empty when n starts past the image.
    QByteArray package(const QByteArray &image, uint16_t n) const;
    // The same written into out (at least MaxPackage bytes); returns its length, or 0.
    uint16_t Build_Package(const uint8_t *app, uint32_t appSize, uint16_t n, uint8_t *out) const;

    uint16_t crc(const uint8_t *data, std::size_t size) const;

    static constexpr uint32_t SliceSize = 1024;
    static constexpr std::size_t MaxPackage = SliceSize + 4;

    const std::array<uint8_t, 256> &highTable() const { return High; }
    const std::array<uint8_t, 256> &lowTable() const { return Low; }

private:
    std::array<uint8_t, 256> High{};
    std::array<uint8_t, 256> Low{};
};
