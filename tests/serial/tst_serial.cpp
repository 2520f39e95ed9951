// GBK text as the unit counts it, received bursts, and port box entries.
#include "serial/BurstDecoder.h"
#include "serial/Gbk.h"
#include "serial/PortEntry.h"
#include "serial/PortList.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString High(QChar(0xD83D));
const QString Low(QChar(0xDE00));
} // namespace

class tst_Serial : public QObject
{
    Q_OBJECT

private slots:
    void decodeBurst_data()
    {
        QTest::addColumn<QByteArray>("burst");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QByteArray("ATSW+V2.1+OK\r\n") << QStringLiteral("ATSW+V2.1+OK\r\n");
        QTest::newRow("zero byte cuts") << QByteArray("OK\0XY", 5) << QStringLiteral("OK");
        QTest::newRow("leading zero") << QByteArray("\0OK", 3) << QString();
        QTest::newRow("GBK Chinese") << QByteArray("\xc0\xe0\xd0\xcd") << QStringLiteral("类型");
    }
    void decodeBurst()
    {
        QFETCH(QByteArray, burst);
        QFETCH(QString, text);
        QCOMPARE(::decodeBurst(burst), text);
    }

    // fit: how many characters (QChar units) fit in 2 bytes; a surrogate pair is kept or dropped whole.
    void gbk_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<int>("fit");
        QTest::newRow("ascii") << "ABCD" << QByteArray("ABCD") << 2;
        QTest::newRow("Chinese") << "普通" << QByteArray("\xc6\xd5\xcd\xa8") << 1;
        QTest::newRow("CR LF counts 2") << "票\r\n" << QByteArray("\xc6\xb1\r\n") << 1;
        QTest::newRow("pair is one ?") << "a" + High + Low + "b" << QByteArray("a?b") << 3;
        QTest::newRow("lone high at the end") << "ab" + High << QByteArray("ab?") << 2;
        // A text borrowed from a buffer, not copied: whatever follows its end is not looked at.
        static const QChar borrowed[] = {QLatin1Char('a'), QLatin1Char('b'), QChar(0xD83D), QChar(0xDE00)};
        QTest::newRow("lone high at the end, a low one past it") << QString::fromRawData(borrowed, 3) << QByteArray("ab?") << 2;
        QTest::newRow("lone high inside") << "a" + High + "bc" << QByteArray("a?bc") << 2;
        QTest::newRow("lone high, then a pair") << High + High + Low << QByteArray("??") << 3;
        QTest::newRow("lone low") << Low + "ab" << QByteArray("?ab") << 2;
        QTest::newRow("zero-width space has no bytes") << QString(QChar(0x200B)) << QByteArray() << 1;
    }
    void gbk()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, wire);
        QFETCH(int, fit);
        QCOMPARE(Gbk::encode(text), wire);
        QCOMPARE(Gbk::length(text), wire.size());
        QCOMPARE(Gbk::prefixWithin(text, 2), fit);
        if (!wire.contains('?') && !wire.isEmpty())
            QCOMPARE(Gbk::decode(wire), text);
    }

    void portName_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("name");
        QTest::newRow("windows entry") << "Prolific\\\\.\\COM3" << "\\\\.\\COM3" << "\\\\.\\COM3";
        QTest::newRow("windows rule wins over data") << "FTDI\\\\.\\COM9" << "/dev/x" << "\\\\.\\COM9";
        QTest::newRow("device path from data") << "Simulator/dev/pts/4" << "/dev/pts/4" << "/dev/pts/4";
        QTest::newRow("no backslash, no data") << "COM7" << "" << "COM7";
    }
    void portName()
    {
        QFETCH(QString, entry);
        QFETCH(QString, location);
        QFETCH(QString, name);
        QCOMPARE(portNameFromEntry(entry, location), name);
        QVERIFY(portEntry("Prolific", location).endsWith(location));
    }

    void stableNames()
    {
        // A folder like /dev/serial/by-id: links named after the adapter, pointing at the device.
        QTemporaryDir dir;
        QFile device(dir.filePath("ttyUSB0")), other(dir.filePath("ttyUSB1"));
        QVERIFY(device.open(QIODevice::WriteOnly) && other.open(QIODevice::WriteOnly));
        QVERIFY(QDir(dir.path()).mkdir("by-id"));
        const QString link = dir.filePath("by-id/usb-Prolific_Technology-if00-port0");
        QVERIFY(QFile::link(device.fileName(), link));
        QCOMPARE(PortList::stableLocation(device.fileName(), dir.filePath("by-id")), link);
        QCOMPARE(PortList::stableLocation(other.fileName(), dir.filePath("by-id")), other.fileName());
        QCOMPARE(PortList::stableLocation("COM3", dir.filePath("no-such-folder")), QStringLiteral("COM3"));
    }
};

QTEST_GUILESS_MAIN(tst_Serial)
#include "tst_serial.moc"
