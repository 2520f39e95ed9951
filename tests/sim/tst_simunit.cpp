// The simulated unit: what it accepts and answers, and its bootloader. Its options, pairing, printing
// and what it keeps are exercised end to end, where the tests rely on them.
#include "sim/SimUnit.h"

#include <QtTest>

namespace {
QByteArray package(const QByteArray &slice)
{
    QByteArray p;
    p.append(char(slice.size() >> 8)).append(char(slice.size() & 0xFF)).append(slice);
    const uint16_t crc = SimUnit::crc16Modbus(p);
    return p.append(char(crc & 0xFF)).append(char(crc >> 8));
}

QByteArray replies(const QList<SimUnit::Reply> &list)
{
    QByteArray all;
    for (const SimUnit::Reply &r : list)
        all += r.bytes;
    return all;
}
} // namespace

class tst_SimUnit : public QObject
{
    Q_OBJECT

private slots:
    void answers_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("state") << QByteArray("ATSW+STATE+OK") << QByteArray("ATSW+V2.1+OK\r\n");
        QTest::newRow("state with line end is no query") << QByteArray("ATSW+STATE+OK\r\n") << QByteArray();
        QTest::newRow("unknown verb") << QByteArray("ATXX+1+OK") << QByteArray();
        QTest::newRow("binary noise") << QByteArray("\x00\xff\x10", 3) << QByteArray();
        QTest::newRow("ticket line") << QByteArray("ATPW+3+N+L+Hello+SIZE:S+OK") << QByteArray("ATPW+7+OK!\r\n");
        QTest::newRow("ticket line number 10") << QByteArray("ATPW+10+N+L+a+SIZE:S+OK") << QByteArray();
        QTest::newRow("type name") << QByteArray("ATLW+2+VIP+OK") << QByteArray("ATLW+2+OK!\r\n");
        QTest::newRow("type name of 8 GBK bytes") << QByteArray("ATLW+5+\xc6\xd5\xcd\xa8\xd2\xb5\xce\xf1+OK")
                                                  << QByteArray("ATLW+5+OK!\r\n");
        QTest::newRow("type name too long") << QByteArray("ATLW+2+ABCDEFGHI+OK") << QByteArray();
        QTest::newRow("type name empty") << QByteArray("ATLW+2++OK") << QByteArray();
        QTest::newRow("type 6") << QByteArray("ATLW+6+A+OK") << QByteArray();
        QTest::newRow("network id") << QByteArray("ATNW+0+42+OK") << QByteArray("ATNW+0+OK!\r\n");
        QTest::newRow("clearing 25") << QByteArray("ATNW+2+25+OK") << QByteArray("ATNW+2+OK!\r\n");
        QTest::newRow("clearing 24") << QByteArray("ATNW+2+24+OK") << QByteArray();
        QTest::newRow("language") << QByteArray("ATNW+3+2+OK") << QByteArray("ATNW+3+OK!\r\n");
        QTest::newRow("clock") << QByteArray("ATTW+24-03-02-06-09-05-00+OK") << QByteArray("ATTW+43+OK!\r\n");
        QTest::newRow("clock weekday 08") << QByteArray("ATTW+24-03-02-08-09-05-00+OK") << QByteArray();
        QTest::newRow("clock Saturday sent as Monday") << QByteArray("ATTW+24-03-02-01-09-05-00+OK") << QByteArray();
        QTest::newRow("clock 31 February") << QByteArray("ATTW+24-02-31-06-09-05-00+OK") << QByteArray();
        QTest::newRow("clock 29 February 2024") << QByteArray("ATTW+24-02-29-04-09-05-00+OK") << QByteArray("ATTW+43+OK!\r\n");
        QTest::newRow("factory reset") << QByteArray("ATRW+58317+OK") << QByteArray("ATRW+51+OK!\r\n");
        QTest::newRow("wrong access code") << QByteArray("ATRW+12345+OK") << QByteArray();
        QTest::newRow("pairing type 6") << QByteArray("ATAW+ADD+6+OK") << QByteArray();
        QTest::newRow("delete all") << QByteArray("ATAW+Delete+ALL+OK") << QByteArray("ATAW+Delete+ALL\r\n");
        QTest::newRow("bootloader text out of place") << QByteArray("ATUP+Package_Over+OK\r\n") << QByteArray();
    }
    void answers()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        SimUnit unit({});
        QCOMPARE(replies(unit.handle(command)), reply);
    }

    // The bootloader takes a package only when its length and CRC are right; it asks for a bad one
    // again, and gives up after three bad copies.
    void bootloader_data()
    {
        QTest::addColumn<QList<QByteArray>>("sent"); // after the start request
        QTest::addColumn<QByteArray>("lastReply");
        QTest::addColumn<int>("accepted");
        QTest::addColumn<int>("imageSize");
        const QByteArray good = package(QByteArray(1024, 'a'));
        QByteArray badCrc = good;
        badCrc[1030 - 3] = 'b';
        QByteArray longer = good;
        longer[1] = 1;
        QTest::newRow("good") << QList<QByteArray>{good} << QByteArray("ATUP+Package+1\r\n") << 1 << 1024;
        QTest::newRow("bad CRC asked again") << QList<QByteArray>{badCrc} << QByteArray("ATUP+Package+0\r\n") << 0 << 0;
        QTest::newRow("wrong length asked again") << QList<QByteArray>{longer} << QByteArray("ATUP+Package+0\r\n") << 0 << 0;
        QTest::newRow("too short") << QList<QByteArray>{QByteArray("\x00", 1)} << QByteArray("ATUP+Package+0\r\n") << 0 << 0;
        QTest::newRow("bad, then good") << QList<QByteArray>{badCrc, good} << QByteArray("ATUP+Package+1\r\n") << 1 << 1024;
        QTest::newRow("three bad copies") << QList<QByteArray>{badCrc, longer, badCrc} << QByteArray("ATUP+Upgrade_Error+OK\r\n")
                                          << 0 << 0;
        QTest::newRow("asked past the end") << QList<QByteArray>{package("xyz"), QByteArray("ATUP+Package_Over+OK\r\n")}
                                            << QByteArray("ATUP+Upgrade_Over+OK\r\n") << 1 << 3;
    }
    void bootloader()
    {
        QFETCH(QList<QByteArray>, sent);
        QFETCH(QByteArray, lastReply);
        QFETCH(int, accepted);
        QFETCH(int, imageSize);
        SimUnit::Options o;
        o.bootloader = true;
        SimUnit unit(o);
        QCOMPARE(replies(unit.handle("ATUP+APPSTART+OK\r\n")), QByteArray("ATUP+Package+0\r\n"));
        QByteArray last;
        for (const QByteArray &bytes : sent)
            last = replies(unit.handle(bytes));
        QCOMPARE(last, lastReply);
        QCOMPARE(unit.transfer().packagesAccepted, accepted);
        QCOMPARE(unit.transfer().image.size(), imageSize);
    }
};

QTEST_GUILESS_MAIN(tst_SimUnit)
#include "tst_simunit.moc"
