#include "serial/BurstDecoder.h"
#include "serial/Gbk.h"
#include "serial/PortEntry.h"

#include <QtTest>

class tst_SerialText : public QObject
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
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void decodeBurst()
    {
        QFETCH(QByteArray, burst);
        QFETCH(QString, text);
        QCOMPARE(::decodeBurst(burst), text);
    }

    void gbkLength_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");
        QTest::newRow("ascii") << QStringLiteral("ABC") << 3;
        QTest::newRow("four Chinese") << QStringLiteral("普通文本") << 8;
        QTest::newRow("mixed with CRLF") << QStringLiteral("票A\r\n") << 5;
    }
    void gbkLength()
    {
        QFETCH(QString, text);
        QFETCH(int, bytes);
        QCOMPARE(Gbk::length(text), bytes);
        QCOMPARE(Gbk::decode(Gbk::encode(text)), text);
    }

    void portName_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("name");
        QTest::newRow("windows entry") << QStringLiteral("Prolific\\\\.\\COM3") << QStringLiteral("\\\\.\\COM3")
                                       << QStringLiteral("\\\\.\\COM3");
        QTest::newRow("windows rule wins over data") << QStringLiteral("FTDI\\\\.\\COM9") << QStringLiteral("/dev/x")
                                                     << QStringLiteral("\\\\.\\COM9");
        QTest::newRow("device path from data") << QStringLiteral("Simulator/dev/pts/4") << QStringLiteral("/dev/pts/4")
                                               << QStringLiteral("/dev/pts/4");
        QTest::newRow("no backslash, no data") << QStringLiteral("COM7") << QString() << QStringLiteral("COM7");
        QTest::newRow("empty box") << QString() << QString() << QString();
    }
    void portName()
    {
        QFETCH(QString, entry);
        QFETCH(QString, location);
        QFETCH(QString, name);
        QCOMPARE(portNameFromEntry(entry, location), name);
    }

    void entryForm()
    {
        QCOMPARE(portEntry(QStringLiteral("Prolific"), QStringLiteral("\\\\.\\COM3")), QStringLiteral("Prolific\\\\.\\COM3"));
        QCOMPARE(portEntry(QString(), QStringLiteral("/dev/ttyUSB0")), QStringLiteral("/dev/ttyUSB0"));
    }
};

QTEST_GUILESS_MAIN(tst_SerialText)
#include "tst_serialtext.moc"
