#include "firmware/CRC16_Handle.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {
// Bit by bit, straight from the definition, to check the table form against.
uint16_t referenceCrc(const QByteArray &bytes)
{
    uint16_t crc = 0xFFFF;
    for (const char b : bytes) {
        crc ^= uint8_t(b);
        for (int i = 0; i < 8; ++i)
            crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
    }
    return crc;
}

QByteArray image(int size)
{
    QByteArray data(size, '\0');
    for (int i = 0; i < size; ++i)
        data[i] = char((i * 7 + 3) & 0xFF);
    return data;
}

QByteArray package(const CRC16_Handle &crc, const QByteArray &app, uint16_t n)
{
    uint8_t out[1050] = {};
    const uint16_t len = crc.Build_Package(reinterpret_cast<const uint8_t *>(app.constData()), uint32_t(app.size()), n, out);
    return QByteArray(reinterpret_cast<const char *>(out), len);
}
} // namespace

class tst_Crc16 : public QObject
{
    Q_OBJECT

private slots:
    void knownValues()
    {
        const CRC16_Handle crc;
        const QByteArray check("123456789");
        QCOMPARE(crc.crc(reinterpret_cast<const uint8_t *>(check.constData()), 9), uint16_t(0x4B37));
        const std::array<uint8_t, 8> high{0x00, 0xC1, 0x81, 0x40, 0x01, 0xC0, 0x80, 0x41};
        const std::array<uint8_t, 8> low{0x00, 0xC0, 0xC1, 0x01, 0xC3, 0x03, 0x02, 0xC2};
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(crc.highTable()[i], high[i]);
            QCOMPARE(crc.lowTable()[i], low[i]);
        }
    }

    void tableFormMatchesDefinition()
    {
        const CRC16_Handle crc;
        QRandomGenerator rng(1234);
        for (int round = 0; round < 50; ++round) {
            QByteArray data(int(rng.bounded(1, 1100)), '\0');
            for (char &c : data)
                c = char(rng.bounded(256));
            QCOMPARE(crc.crc(reinterpret_cast<const uint8_t *>(data.constData()), std::size_t(data.size())), referenceCrc(data));
        }
    }

    void abcIsFramed()
    {
        const CRC16_Handle crc;
        QCOMPARE(package(crc, "abc", 0), QByteArray::fromHex("0003616263 1CD3"));
    }

    void packages_data()
    {
        QTest::addColumn<int>("imageSize");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("1500: 0") << 1500 << 0 << 1028 << QByteArray::fromHex("0400");
        QTest::newRow("1500: 1") << 1500 << 1 << 480 << QByteArray::fromHex("01DC");
        QTest::newRow("1500: 2 is past the end") << 1500 << 2 << 0 << QByteArray();
        QTest::newRow("2048: 1") << 2048 << 1 << 1028 << QByteArray::fromHex("0400");
        QTest::newRow("2048: 2 is empty") << 2048 << 2 << 4 << QByteArray::fromHex("000001B0");
        QTest::newRow("2048: 3 is past the end") << 2048 << 3 << 0 << QByteArray();
        QTest::newRow("51200: 49") << 51200 << 49 << 1028 << QByteArray::fromHex("0400");
        QTest::newRow("51200: 50 is empty") << 51200 << 50 << 4 << QByteArray::fromHex("000001B0");
        QTest::newRow("51200: 51 past") << 51200 << 51 << 0 << QByteArray();
        QTest::newRow("51200: 65535 past") << 51200 << 65535 << 0 << QByteArray();
        QTest::newRow("empty image: 0") << 0 << 0 << 4 << QByteArray::fromHex("000001B0");
    }
    void packages()
    {
        QFETCH(int, imageSize);
        QFETCH(int, number);
        QFETCH(int, length);
        QFETCH(QByteArray, head);
        const CRC16_Handle crc;
        const QByteArray app = image(imageSize);
        const QByteArray p = package(crc, app, uint16_t(number));
        QCOMPARE(p.size(), length);
        QVERIFY(p.startsWith(head));
        if (length > 4) {
            QCOMPARE(p.mid(2, length - 4), app.mid(number * 1024, length - 4));
            const uint16_t value = referenceCrc(p.left(length - 2));
            QCOMPARE(uint8_t(p.at(length - 2)), uint8_t(value & 0xFF));
            QCOMPARE(uint8_t(p.at(length - 1)), uint8_t(value >> 8));
        }
    }
};

QTEST_GUILESS_MAIN(tst_Crc16)
#include "tst_crc16.moc"
