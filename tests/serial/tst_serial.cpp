// GBK text as the unit counts it, received bursts, and port box entries.
#include "serial/BurstDecoder.h"
#include "serial/Gbk.h"
#include "serial/PortEntry.h"
#include "serial/PortList.h"
#include "serial/PortProblem.h"

#include <cerrno>

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
    // Each cause its own words: in use (lock file with its PID, EBUSY), a real EACCES with the
    // group to join (never root, never a group the user has), a port that is gone.
    void portProblems_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("lockHeld");
        QTest::addColumn<qint64>("pid");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("group");
        QTest::addColumn<bool>("inGroup");
        QTest::addColumn<QString>("text");
        const QString denied = qt_error_string(EACCES);
        QTest::newRow("lock file names its owner") << 0 << true << qint64(4242) << true << "dialout" << false
                                                   << "\r\n此端口正被其他程序使用 (进程 4242), 请先关闭那个程序.";
        QTest::newRow("EBUSY") << int(EBUSY) << false << qint64(0) << true << "dialout" << false
                               << "\r\n此端口正被其他程序使用, 请先关闭那个程序.";
        QTest::newRow("EACCES, not in the group") << int(EACCES) << false << qint64(0) << true << "dialout" << false
                                                  << "\r\n" + denied + "\r\n没有使用此端口的权限: 请把用户加入 \"dialout\" 组 (sudo usermod -aG dialout $USER), 然后重新登录.";
        QTest::newRow("EACCES, already in the group") << int(EACCES) << false << qint64(0) << true << "dialout" << true
                                                      << "\r\n" + denied + "\r\n没有使用此端口的权限, 请联系系统管理员.";
        QTest::newRow("EACCES, root's device") << int(EACCES) << false << qint64(0) << true << "root" << false
                                               << "\r\n" + denied + "\r\n没有使用此端口的权限, 请联系系统管理员.";
        QTest::newRow("gone") << int(ENOENT) << false << qint64(0) << false << "" << false
                              << "\r\n端口已不存在: 设备可能已被拔出, 请重新插入后再选择端口.";
        QTest::newRow("anything else") << int(EIO) << false << qint64(0) << true << "dialout" << false << "\r\n" + qt_error_string(EIO);
    }
    void portProblems()
    {
        QFETCH(int, error);
        QFETCH(bool, lockHeld);
        QFETCH(qint64, pid);
        QFETCH(bool, exists);
        QFETCH(QString, group);
        QFETCH(bool, inGroup);
        QFETCH(QString, text);
        PortProblem::Facts facts;
        facts.portName = "/dev/ttyUSB0";
        facts.reason = lockHeld ? QStringLiteral("Permission error while locking the device") : qt_error_string(error);
        facts.permissionDenied = lockHeld || error == EACCES || error == EBUSY;
        facts.systemError = PortProblem::systemErrorOf(facts.reason);
        QCOMPARE(facts.systemError, error);
        facts.lockFileHeld = lockHeld;
        facts.lockOwner = pid;
        facts.portExists = exists;
        facts.group = group;
        facts.userInGroup = inGroup;
        QCOMPARE(PortProblem::explain(facts), text);
    }

    void lockFileOwner_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("lockName");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<qint64>("pid");
        QTest::newRow("QLockFile") << "/dev/ttyUSB0" << "LCK..ttyUSB0" << QByteArray("4242\ntqmanage\nhost\n") << qint64(4242);
        QTest::newRow("stable name") << "/dev/serial/by-id/usb-X" << "LCK..serial_by-id_usb-X" << QByteArray("77\n") << qint64(77);
        QTest::newRow("no number") << "/dev/ttyS1" << "LCK..ttyS1" << QByteArray("junk\n") << qint64(0);
        QTest::newRow("no lock file") << "/dev/ttyS1" << "LCK..ttyS2" << QByteArray("5\n") << qint64(0);
    }
    void lockFileOwner()
    {
        QFETCH(QString, port);
        QFETCH(QString, lockName);
        QFETCH(QByteArray, content);
        QFETCH(qint64, pid);
        QTemporaryDir dir;
        QFile lock(dir.filePath(lockName));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(content);
        lock.close();
        QCOMPARE(PortProblem::lockFileOwner(port, {dir.filePath("none"), dir.path()}), pid);
    }

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
