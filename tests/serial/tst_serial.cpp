// GBK text as the unit counts it, received bursts, port box entries and server addresses, units
// announced on the network, the telnet/Com Port Control codec, and replies framed over a network.
#include "serial/BurstDecoder.h"
#include "ticket/Gbk.h"
#include "serial/PortAddress.h"
#include "serial/PortEntry.h"
#include "serial/PortList.h"
#include "serial/PortProblem.h"
#include "serial/ReplyFramer.h"
#include "serial/SerialLink.h"
#include "serial/TelnetCodec.h"
#include "serial/UnitDiscovery.h"
#include "testsupport/TestSupport.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

namespace {
const QString High(QChar(0xD83D));
const QString Low(QChar(0xDE00));

QByteArray iac(std::initializer_list<int> bytes)
{
    QByteArray out;
    for (const int b : bytes)
        out += char(b);
    return out;
}
// What the client asks of a server that agrees to Com Port Control: 115200, 8, none, 1, no flow.
const QByteArray LineSettings = iac({255, 250, 44, 1, 0, 1, 194, 0, 255, 240, 255, 250, 44, 2, 8, 255, 240,
                                     255, 250, 44, 3, 1, 255, 240, 255, 250, 44, 4, 1, 255, 240, 255, 250, 44, 5, 1, 255, 240});
QByteArray confirmed(int cmd, QByteArray value)
{
    return iac({255, 250, 44, cmd + 100}) + value + iac({255, 240});
}
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
        QTest::newRow("found unit, a backslash in its name") << "a\\b (RFC 2217)" << "rfc2217://192.0.2.10:7001" << "rfc2217://192.0.2.10:7001";
    }
    void portName()
    {
        QFETCH(QString, entry);
        QFETCH(QString, location);
        QFETCH(QString, name);
        QCOMPARE(portNameFromEntry(entry, location), name);
        QVERIFY(portEntry("Prolific", location).endsWith(location));
    }

    // What a resolved announcement becomes: the address --port takes and the port box entry, or
    // why it is not listed. Announced text is anyone's, so hostile rows sit beside ser2net's own.
    void discoveredUnit_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QStringList>("txt");
        QTest::addColumn<QString>("address"); // empty: not listed, for the reason below
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<QString>("why");
        const QString host = "tq-shop-pc.local", v4 = "192.0.2.10", role = "role=tq-management-unit";
        QTest::newRow("ser2net, rfc2217, marked") << "tq-unit-01" << host << v4 << QStringList{"provider=ser2net", "gensiostack=telnet(rfc2217),tcp", role}
                                                  << "rfc2217://192.0.2.10:7001" << "tq-unit-01 (RFC 2217)" << true << "";
        QTest::newRow("raw tcp, unmarked") << "u" << host << v4 << QStringList{"gensiostack=tcp"} << "socket://192.0.2.10:7001" << "u (TCP)" << false << "";
        QTest::newRow("rfc2217 in tls") << "u" << host << v4 << QStringList{"gensiostack=telnet(rfc2217),ssl,tcp", role}
                                        << "rfc2217+tls://192.0.2.10:7001?name=tq-shop-pc.local" << "u (RFC 2217, TLS)" << true << "";
        QTest::newRow("tls with its arguments") << "u" << host << v4 << QStringList{"gensiostack=ssl(key=/k,cert=/c),tcp"}
                                                << "socket+tls://192.0.2.10:7001?name=tq-shop-pc.local" << "u (TCP, TLS)" << false << "";
        QTest::newRow("ipv6 in brackets") << "u" << host << "2001:db8::7" << QStringList{"gensiostack=tcp"} << "socket://[2001:db8::7]:7001" << "u (TCP)" << false << "";
        QTest::newRow("ipv6 link-local keeps its interface") << "u" << host << "fe80::1%lo" << QStringList{"gensiostack=tcp"} << "socket://[fe80::1%lo]:7001" << "u (TCP)" << false << "";
        QTest::newRow("keys in capitals") << "u" << host << v4 << QStringList{"GensioStack=tcp", "ROLE=tq-management-unit"} << "socket://192.0.2.10:7001" << "u (TCP)" << true << "";
        QTest::newRow("only a key's first entry counts") << "u" << host << v4 << QStringList{"role=other", role, "gensiostack=tcp"} << "socket://192.0.2.10:7001" << "u (TCP)" << false << "";
        QTest::newRow("control and direction characters in the name") << QString("a\tb\u202Ec") << host << v4 << QStringList{"gensiostack=tcp"}
                                                                       << "socket://192.0.2.10:7001" << QString("a\uFFFDb\uFFFDc (TCP)") << false << "";
        QTest::newRow("odd host name without tls: unused") << "u" << "a b" << v4 << QStringList{"gensiostack=tcp"} << "socket://192.0.2.10:7001" << "u (TCP)" << false << "";
        QTest::newRow("no txt") << "u" << host << v4 << QStringList{} << "" << "" << false << "no gensiostack";
        QTest::newRow("udp") << "u" << host << v4 << QStringList{"gensiostack=udp"} << "" << "" << false << "\"udp\"";
        QTest::newRow("telnet without com port control") << "u" << host << v4 << QStringList{"gensiostack=telnet,tcp", role} << "" << "" << false << "without rfc2217";
        QTest::newRow("mux on tcp") << "u" << host << v4 << QStringList{"gensiostack=mux,tcp"} << "" << "" << false << "mux,tcp";
        QTest::newRow("unbalanced stack") << "u" << host << v4 << QStringList{"gensiostack=telnet(rfc2217,tcp"} << "" << "" << false << "is not";
        QTest::newRow("no address") << "u" << host << "" << QStringList{"gensiostack=tcp"} << "" << "" << false << "no usable address";
        QTest::newRow("tls host name smuggling an option") << "u" << "x&insecure" << v4 << QStringList{"gensiostack=ssl,tcp"} << "" << "" << false << "certificate";
        QTest::newRow("tls host name with a space") << "u" << "shop pc.local" << v4 << QStringList{"gensiostack=ssl,tcp"} << "" << "" << false << "certificate";
    }
    void discoveredUnit()
    {
        QFETCH(QString, name);
        QFETCH(QString, host);
        QFETCH(QString, ip);
        QFETCH(QStringList, txt);
        QFETCH(QString, address);
        QFETCH(QString, label);
        QFETCH(bool, marked);
        QFETCH(QString, why);
        DiscoveredUnit::Announcement a{name, host, ip, 7001, {}};
        for (const QString &entry : txt)
            a.txt << entry.toUtf8();
        QString reason;
        const auto unit = DiscoveredUnit::from(a, &reason);
        QCOMPARE(unit.has_value(), !address.isEmpty());
        if (!unit) {
            QVERIFY2(reason.contains(why), qPrintable(reason));
            return;
        }
        QCOMPARE(unit->address(), address);
        QCOMPARE(unit->label(), label);
        QCOMPARE(unit->managementUnit, marked);
        QCOMPARE(PortAddress::parse(address).isValid(), true);
        if (unit->tls) { // a CA path with '&', '#' and spaces stays one option
            const PortAddress withCa = PortAddress::parse(unit->address("/my certs/a&b#1.pem"));
            QVERIFY2(withCa.isValid(), qPrintable(withCa.error));
            QCOMPARE(QStringList({withCa.caFile, withCa.peerName}), QStringList({"/my certs/a&b#1.pem", host}));
            QVERIFY(!withCa.insecure);
        }
    }

    // One entry per unit: over IPv4 where it can, following a new address, gone with its last
    // announcement; unmarked services only when all are asked for.
    void discoveryKeepsOneEntryPerUnit()
    {
        const auto seen = [](const QString &name, const QString &ip, const QByteArray &extra = "role=tq-management-unit") {
            return DiscoveredUnit::Announcement{name, "pc.local", ip, 7001, {"gensiostack=telnet(rfc2217),tcp", extra}};
        };
        const auto addresses = [](const UnitDiscovery &d) {
            QStringList out;
            for (const DiscoveredUnit &u : d.units())
                out << u.label() + " " + u.address();
            return out;
        };
        UnitDiscovery d;
        QSignalSpy changed(&d, &UnitDiscovery::unitsChanged);
        d.serviceResolved("1/6/a", seen("tq-unit-01", "fe80::5%eth0"));
        d.serviceResolved("1/4/a", seen("tq-unit-01", "192.0.2.10"));
        QCOMPARE(addresses(d), QStringList{"tq-unit-01 (RFC 2217) rfc2217://192.0.2.10:7001"});
        d.serviceResolved("1/4/a", seen("tq-unit-01", "192.0.2.11")); // a new lease
        QCOMPARE(addresses(d), QStringList{"tq-unit-01 (RFC 2217) rfc2217://192.0.2.11:7001"});
        d.serviceRemoved("1/4/a");
        QCOMPARE(addresses(d), QStringList{"tq-unit-01 (RFC 2217) rfc2217://[fe80::5%eth0]:7001"});
        QCOMPARE(changed.size(), 4);
        d.serviceResolved("1/4/b", seen("tq-unit-01 #2", "192.0.2.12")); // two with one name
        d.serviceResolved("1/4/c", seen("printer-port", "192.0.2.13", "role=other"));
        QCOMPARE(changed.size(), 5);
        QCOMPARE(addresses(d).size(), 2);
        d.setShowAll(true);
        QCOMPARE(addresses(d).size(), 3);
        // A USB adapter's serial number holds under a new name.
        d.serviceResolved("1/4/d", seen("shop-usb", "192.0.2.14", "serial=A9X1"));
        d.serviceResolved("2/4/e", seen("shop-usb-renamed", "192.0.2.14", "serial=A9X1"));
        QCOMPARE(addresses(d).filter("shop-usb").size(), 1);
        // The same service now announcing a stack we do not speak is no longer listed.
        d.serviceResolved("1/4/c", DiscoveredUnit::Announcement{"printer-port", "pc.local", "192.0.2.13", 7001, {"gensiostack=udp"}});
        QCOMPARE(addresses(d).filter("printer-port"), QStringList());
        const int before = changed.size();
        d.allRemoved();
        QCOMPARE(addresses(d), QStringList());
        QCOMPARE(changed.size(), before + 1);
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

    // kind: s serial, t raw TCP, r RFC 2217; an error names the part of the message expected.
    void address_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("tls");
        QTest::addColumn<QString>("endpoint");
        QTest::addColumn<QString>("error");
        QTest::newRow("device path") << "/dev/ttyUSB0" << "s" << false << ":0" << "";
        QTest::newRow("windows port") << "\\\\.\\COM3" << "s" << false << ":0" << "";
        QTest::newRow("rfc2217") << "rfc2217://192.168.1.20:7001" << "r" << false << "192.168.1.20:7001" << "";
        QTest::newRow("raw, host name, slash") << "socket://shop-3.example:4001/" << "t" << false << "shop-3.example:4001" << "";
        QTest::newRow("ipv6 in brackets") << "rfc2217://[::1]:7001" << "r" << false << "[::1]:7001" << "";
        QTest::newRow("tls with files") << "rfc2217+tls://h:1?ca=/a%20b/ca.pem&cert=c.pem&key=k.pem" << "r" << true << "h:1" << "";
        QTest::newRow("tls, certificate name") << "rfc2217+tls://192.0.2.10:7443?ca=c.pem&name=shop-pc.local" << "r" << true << "192.0.2.10:7443" << "";
        QTest::newRow("scheme in capitals") << "SOCKET+TLS://h:65535?insecure" << "t" << true << "h:65535" << "";
        QTest::newRow("unknown scheme") << "telnet://h:23" << "" << false << "" << "rfc2217://";
        QTest::newRow("no port") << "rfc2217://h" << "" << false << "" << "65535";
        QTest::newRow("port 0") << "rfc2217://h:0" << "" << false << "" << "65535";
        QTest::newRow("port too big") << "rfc2217://h:65536" << "" << false << "" << "65535";
        QTest::newRow("signed port") << "rfc2217://h:+80" << "" << false << "" << "65535";
        QTest::newRow("bare ipv6") << "rfc2217://::1:7001" << "" << false << "" << "IPv6";
        QTest::newRow("name in brackets") << "rfc2217://[host]:7001" << "" << false << "" << "IPv6";
        QTest::newRow("user part") << "rfc2217://me@h:7001" << "" << false << "" << "\"me@\"";
        QTest::newRow("empty host") << "socket://:7001" << "" << false << "" << "IPv6";
        QTest::newRow("tls option without tls") << "rfc2217://h:1?ca=x" << "" << false << "" << "+tls";
        QTest::newRow("unknown option") << "socket+tls://h:1?verify=no" << "" << false << "" << "verify";
        QTest::newRow("insecure=1 is insecure") << "socket+tls://h:1?insecure=1" << "t" << true << "h:1" << "";
        QTest::newRow("surrounding spaces") << " \trfc2217+tls://h:7443?insecure  " << "r" << true << "h:7443" << "";
        QTest::newRow("insecure=0") << "socket+tls://h:1?insecure=0" << "" << false << "" << "insecure=1";
        QTest::newRow("certificate name smuggling an option") << "socket+tls://h:1?name=a%26insecure" << "" << false << "" << "name=";
        QTest::newRow("certificate name without tls") << "rfc2217://h:1?name=h" << "" << false << "" << "+tls";
        QTest::newRow("cert without key") << "socket+tls://h:1?cert=c.pem" << "" << false << "" << "key=";
        QTest::newRow("ca twice") << "socket+tls://h:1?ca=a.pem&ca=b.pem" << "" << false << "" << "ca 出现了两次";
        QTest::newRow("ca, then an empty one") << "socket+tls://h:1?ca=a.pem&ca=" << "" << false << "" << "ca 出现了两次";
        QTest::newRow("empty ca") << "socket+tls://h:1?ca=" << "" << false << "" << "ca= 是空的";
        QTest::newRow("empty key") << "socket+tls://h:1?insecure&=x" << "" << false << "" << "\"=x\"";
        QTest::newRow("empty option") << "socket+tls://h:1?&insecure" << "" << false << "" << "选项名是空的";
        QTest::newRow("nothing after ?") << "rfc2217://h:7001?" << "" << false << "" << "\"?\" 后面没有选项";
        QTest::newRow("nothing after /?") << "socket+tls://h:1/? " << "" << false << "" << "\"?\" 后面没有选项";
        QTest::newRow("fragment") << "rfc2217://h:7001#shop" << "" << false << "" << "\"#shop\"";
    }
    void address()
    {
        QFETCH(QString, text);
        QFETCH(QString, kind);
        QFETCH(bool, tls);
        QFETCH(QString, endpoint);
        QFETCH(QString, error);
        const PortAddress a = PortAddress::parse(text);
        QCOMPARE(a.isValid(), error.isEmpty());
        QVERIFY2(a.error.contains(error), qPrintable(a.error));
        if (!error.isEmpty()) {
            QVERIFY(a.error.contains(text.trimmed()));
            QVERIFY(PortAddress::looksRemote(text));
            return;
        }
        QCOMPARE(QString("str"[int(a.kind)]), kind);
        QCOMPARE(a.tls, tls);
        QCOMPARE(a.endpoint(), endpoint);
        if (QTest::currentDataTag() == QLatin1String("tls with files")) {
            QCOMPARE(QStringList({a.caFile, a.certFile, a.keyFile}), QStringList({"/a b/ca.pem", "c.pem", "k.pem"}));
            QCOMPARE(a.shown(), QStringLiteral("rfc2217+tls://h:1")); // the files only in the tooltip
        }
        QCOMPARE(a.peerName, QString(text.contains("name=") ? "shop-pc.local" : ""));
        QCOMPARE(a.insecure, text.contains("insecure"));
    }
    void badAddressFailsToOpen()
    {
        SerialLink link;
        QVERIFY(!link.open("rfc2217://h:99999"));
        QVERIFY(link.openFailure().reason.contains("65535"));
        QVERIFY(!link.isOpen());
    }

    // Server bytes in; serial data out, what the client answers, and whether data may flow.
    void telnet_data()
    {
        QTest::addColumn<QByteArray>("in");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("ready");
        QTest::addColumn<int>("notes");
        const QByteArray ok = confirmed(1, iac({0, 1, 194, 0})) + confirmed(2, "\x08") + confirmed(3, "\x01")
            + confirmed(4, "\x01") + confirmed(5, "\x01");
        QTest::newRow("plain data") << QByteArray("ATSW+V2.1+OK\r\n") << QByteArray("ATSW+V2.1+OK\r\n") << QByteArray() << false << 0;
        QTest::newRow("escaped IAC") << iac({1, 255, 255, 2}) << iac({1, 255, 2}) << QByteArray() << false << 0;
        QTest::newRow("server agrees: settings go") << iac({255, 253, 44}) << QByteArray() << LineSettings << false << 0;
        QTest::newRow("all confirmed") << iac({255, 253, 44}) + ok << QByteArray() << LineSettings << true << 0;
        QTest::newRow("DTR refused is a note") << iac({255, 253, 44}) + ok + confirmed(5, "\x0b") + "x" << QByteArray("x") << LineSettings << true << 0;
        QTest::newRow("baud refused is a note") << iac({255, 253, 44}) + confirmed(1, iac({0, 0, 37, 128})) << QByteArray() << LineSettings << false << 1;
        QTest::newRow("option refused") << iac({255, 254, 44}) + "ok" << QByteArray("ok") << QByteArray() << true << 1;
        QTest::newRow("echo refused once") << iac({255, 251, 1, 255, 251, 1}) << QByteArray() << iac({255, 254, 1}) << false << 0;
        QTest::newRow("unknown DO refused") << iac({255, 253, 24}) << QByteArray() << iac({255, 252, 24}) << false << 0;
        QTest::newRow("our own options: no answer") << iac({255, 253, 0, 255, 251, 3}) << QByteArray() << QByteArray() << false << 0;
        QTest::newRow("notifications ignored") << iac({255, 250, 44, 106, 0x60, 255, 240}) + "A" << QByteArray("A") << QByteArray() << false << 0;
        QTest::newRow("NOP and GA dropped") << iac({'a', 255, 241, 'b', 255, 249}) << QByteArray("ab") << QByteArray() << false << 0;
        QTest::newRow("IAC in a notification") << iac({255, 250, 44, 107, 255, 255, 255, 240, 'z'}) << QByteArray("z") << QByteArray() << false << 0;
        QByteArray flood; // notifications no client knows, as a hostile server sends them without end
        for (int i = 0; i < 500; ++i)
            flood += iac({255, 250, 44, 108, 0, 255, 240});
        QTest::newRow("a flood of notifications: a few notes, the rest counted") << flood << QByteArray() << QByteArray() << false
                                                                                << TelnetCodec::MaxNotes + 1;
    }
    void telnet()
    {
        QFETCH(QByteArray, in);
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, answer);
        QFETCH(bool, ready);
        QFETCH(int, notes);
        for (const int piece : {int(in.size()), 1}) { // whole, and one byte at a time
            TelnetCodec codec;
            QVERIFY(codec.start().startsWith(iac({255, 251, 44})));
            QByteArray got;
            for (int i = 0; i < in.size(); i += piece)
                got += codec.decode(in.mid(i, piece));
            QCOMPARE(got, data);
            QCOMPARE(codec.takeReplies(), answer);
            QCOMPARE(codec.lineReady(), ready);
            QCOMPARE(codec.takeNotes().size(), notes + (QTest::currentDataTag() == QLatin1String("DTR refused is a note")));
        }
        const QByteArray image = TestSupport::randomBytes(4096, 7) + iac({255, 255});
        QCOMPARE(TelnetCodec().decode(TelnetCodec::encode(image)), image);
        // As the simulator's server: agrees and confirms what was asked.
        TelnetCodec server(true, TelnetCodec::Role::Server);
        QCOMPARE(server.decode(iac({255, 251, 44}) + LineSettings.left(10) + "AT"), QByteArray("AT"));
        QCOMPARE(server.takeReplies(), iac({255, 253, 44}) + confirmed(1, iac({0, 1, 194, 0})));
    }

    // Pieces of what a network link delivers; "|" ends a delivery in the expected texts.
    void framing_data()
    {
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::addColumn<QByteArray>("texts");
        QTest::addColumn<QByteArray>("rest");
        QTest::newRow("whole reply") << QByteArrayList{"ATLW+1+OK!\r\n"} << QByteArray("ATLW+1+OK!\r\n|") << QByteArray();
        QTest::newRow("split anywhere") << QByteArrayList{"AT", "LW+1+OK!\r", "\n"} << QByteArray("ATLW+1+OK!\r\n|") << QByteArray();
        QTest::newRow("two replies in one piece stay two") << QByteArrayList{"ATNW+1+OK!\r\nATNW+2+OK!\r\n"}
                                                            << QByteArray("ATNW+1+OK!\r\n|ATNW+2+OK!\r\n|") << QByteArray();
        QTest::newRow("second begins in the first's piece") << QByteArrayList{"ATAW+1+READ+a\r\nATAW+2", "+READ+b\r\n"}
                                                             << QByteArray("ATAW+1+READ+a\r\n|ATAW+2+READ+b\r\n|") << QByteArray();
        QTest::newRow("no line break waits") << QByteArrayList{"AT", "SW"} << QByteArray() << QByteArray("ATSW");
    }
    void framing()
    {
        QFETCH(QByteArrayList, pieces);
        QFETCH(QByteArray, texts);
        QFETCH(QByteArray, rest);
        ReplyFramer framer;
        QByteArray got;
        for (const QByteArray &piece : pieces)
            for (const QByteArray &reply : framer.feed(piece))
                got += reply + '|';
        QCOMPARE(got, texts);
        QCOMPARE(framer.takeRest(), rest);
        QCOMPARE(framer.feed(QByteArray(ReplyFramer::RestLimit, 'x')).size(), 1); // a peer that never ends a line
    }

    // Over a real socket: the link is ready once connected; a reply in pieces 90 ms apart is one text,
    // a rest without line break comes after the quiet time, telnet on a raw link is named, and the
    // server's last words before it goes away are shown and are the lost link's reason. A refused
    // port or a TLS server that never finishes the handshake is no connection at all.
    void networkLink()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        SerialLink link;
        QSignalSpy received(&link, &SerialLink::received), lost(&link, &SerialLink::lost),
            notMade(&link, &SerialLink::connectFailed), ready(&link, &SerialLink::ready), warned(&link, &SerialLink::warning);
        QVERIFY(link.open(QStringLiteral("socket://127.0.0.1:%1").arg(server.serverPort())));
        QVERIFY(!link.isReady());
        link.sendText("ATSW+STATE+OK"); // waits for the connection
        QTRY_VERIFY(server.hasPendingConnections());
        QTcpSocket *peer = server.nextPendingConnection();
        QByteArray sent;
        QTRY_COMPARE(sent += peer->readAll(), QByteArray("ATSW+STATE+OK"));
        QCOMPARE(ready.size(), 1);
        for (const QByteArray piece : {"ATSW+V", "2.1+O", "K\r", "\nATLW+1+OK!\r\nAT"}) {
            peer->write(piece);
            peer->flush();
            QTest::qWait(90);
        }
        QTRY_COMPARE(received.size(), 3);
        QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("ATSW+V2.1+OK\r\n"));
        QCOMPARE(received.at(1).at(0).toString(), QStringLiteral("ATLW+1+OK!\r\n"));
        QCOMPARE(received.at(2).at(0).toString(), QStringLiteral("AT"));
        QVERIFY(link.upgradeObstacle().isEmpty());
        peer->write(iac({255, 253, 24}) + "\r\n"); // DO TERMINAL-TYPE: a telnet server
        QTRY_COMPARE(warned.size(), 1);
        QVERIFY2(warned.at(0).at(0).toString().contains("rfc2217://"), qPrintable(warned.at(0).at(0).toString()));
        QVERIFY(link.upgradeObstacle().contains("rfc2217://"));
        QTRY_COMPARE(received.size(), 4);
        peer->write("Port already in use");
        peer->close();
        QTRY_COMPARE(lost.size(), 1);
        QCOMPARE(received.size(), 5);
        QCOMPARE(received.at(4).at(0).toString(), QStringLiteral("Port already in use"));
        QCOMPARE(lost.at(0).at(0).toString(),
                 QStringLiteral("服务器关闭了连接: 127.0.0.1:%1: Port already in use").arg(server.serverPort()));
        QVERIFY(!link.isOpen() && link.isNetwork() && !link.isReady());
        const quint16 closed = server.serverPort();
        server.close();
        QVERIFY(link.open(QStringLiteral("rfc2217://127.0.0.1:%1").arg(closed)));
        QTRY_COMPARE(notMade.size(), 1);
        QVERIFY2(notMade.at(0).at(0).toString().contains(QStringLiteral("连接被拒绝")), qPrintable(notMade.at(0).at(0).toString()));
        // A TLS server that never finishes the handshake: nothing of ours goes out, and 5 s later it is given up.
        QTcpServer mute;
        QVERIFY(mute.listen(QHostAddress::LocalHost));
        QVERIFY(link.open(QStringLiteral("rfc2217+tls://127.0.0.1:%1").arg(mute.serverPort())));
        link.sendText("ATSW+STATE+OK");
        QTRY_VERIFY(mute.hasPendingConnections());
        QTcpSocket *silent = mute.nextPendingConnection();
        QTRY_COMPARE_WITH_TIMEOUT(notMade.size(), 2, 10000);
        QVERIFY2(notMade.at(1).at(0).toString().contains(QStringLiteral("TLS 握手超时")), qPrintable(notMade.at(1).at(0).toString()));
        QVERIFY(!silent->readAll().contains("ATSW"));
        QCOMPARE(lost.size() + ready.size(), 2);
    }

    // The receiver closes the link on the server's last words: that close is the end, no failure follows.
    void closedOnTheServersLastWordsIsNotLost()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        SerialLink link;
        QSignalSpy received(&link, &SerialLink::received), lost(&link, &SerialLink::lost),
            notMade(&link, &SerialLink::connectFailed);
        connect(&link, &SerialLink::received, &link, &SerialLink::close);
        QVERIFY(link.open(QStringLiteral("socket://127.0.0.1:%1").arg(server.serverPort())));
        QTRY_VERIFY(server.hasPendingConnections());
        QTcpSocket *peer = server.nextPendingConnection();
        QTRY_VERIFY(link.isReady());
        peer->write("Port already in use");
        peer->close();
        QTRY_VERIFY(!link.isOpen());
        QTest::qWait(100);
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("Port already in use"));
        QCOMPARE(lost.size() + notMade.size(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_Serial)
#include "tst_serial.moc"
