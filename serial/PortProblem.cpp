#include "PortProblem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {
const QString CrLf = QStringLiteral("\r\n");
// QSerialPort's text (in Qt's own catalogue, not ours) for a lock file held by another program.
const char *const QtLockFailure = "Permission error while locking the device";


bool processHasGroup(uint gid)
{
#ifdef Q_OS_UNIX
    if (gid == uint(::getegid()))
        return true;
    gid_t groups[256];
    const int count = ::getgroups(256, groups);
    for (int i = 0; i < count; ++i)
        if (uint(groups[i]) == gid)
            return true;
#else
    Q_UNUSED(gid)
#endif
    return false;
}
} // namespace

PortProblem::Facts PortProblem::gather(const QString &portName, const QString &reason, bool permissionDenied)
{
    Facts facts;
    facts.portName = portName;
    facts.reason = reason;
    facts.permissionDenied = permissionDenied;
    facts.systemError = systemErrorOf(reason);
    // Qt's own words when another program holds the port's lock file.
    facts.lockFileHeld = reason == QCoreApplication::translate("QSerialPort", QtLockFailure);
    facts.lockOwner = permissionDenied ? lockFileOwner(portName) : 0;
    const QFileInfo device(portName);
    facts.portExists = device.exists() || !QDir::isAbsolutePath(portName); // COM3 is no path
    facts.group = device.group();
    facts.userInGroup = device.exists() && processHasGroup(device.groupId());
    return facts;
}

PortProblem::Cause PortProblem::cause(const Facts &facts)
{
    if (!facts.portExists)
        return Cause::Vanished;
    if (facts.lockFileHeld || facts.systemError == EBUSY)
        return Cause::InUse;
#ifdef Q_OS_WIN
    // Windows answers "access denied" for a port another program has open.
    if (facts.permissionDenied)
        return Cause::InUse;
#endif
    if (facts.systemError == EACCES)
        return Cause::NoPermission;
    return Cause::Other;
}

QString PortProblem::explain(const Facts &facts)
{
    switch (cause(facts)) {
    case Cause::Vanished:
        return CrLf + QCoreApplication::translate("QObject", "端口已不存在: 设备可能已被拔出, 请重新插入后再选择端口.");
    case Cause::InUse:
        return CrLf + (facts.lockOwner > 0 ? QCoreApplication::translate("QObject", "此端口正被其他程序使用 (进程 %1), 请先关闭那个程序.").arg(facts.lockOwner)
                                           : QCoreApplication::translate("QObject", "此端口正被其他程序使用, 请先关闭那个程序."));
    case Cause::NoPermission:
        // Joining a group helps only when the process lacks it; root's group is no one's to join.
        if (!facts.userInGroup && !facts.group.isEmpty() && facts.group != QLatin1String("root"))
            return CrLf + facts.reason + CrLf
                + QCoreApplication::translate("QObject", "没有使用此端口的权限: 请把用户加入 \"%1\" 组 (sudo usermod -aG %1 $USER), 然后重新登录.").arg(facts.group);
        return CrLf + facts.reason + CrLf + QCoreApplication::translate("QObject", "没有使用此端口的权限, 请联系系统管理员.");
    case Cause::Other:
        break;
    }
    return facts.reason.isEmpty() ? QString() : CrLf + facts.reason;
}

QString PortProblem::lostReason(const QString &portName, const QString &reason)
{
#ifdef Q_OS_UNIX
    // QSerialPort names a port under /dev without that folder.
    const QString path = QDir::isAbsolutePath(portName) ? portName : QStringLiteral("/dev/") + portName;
    if (!QFileInfo::exists(path))
        return QCoreApplication::translate("QObject", "端口 %1 已不存在: 设备可能已被拔出.").arg(path);
#else
    Q_UNUSED(portName)
#endif
    return reason;
}

QStringList PortProblem::defaultLockDirs()
{
    // Where Qt looks for the lock directory, in its order.
    return {QStringLiteral("/var/lock"), QStringLiteral("/etc/locks"), QStringLiteral("/var/spool/locks"),
            QStringLiteral("/var/spool/uucp"), QStringLiteral("/tmp"), QStringLiteral("/var/tmp"),
            QStringLiteral("/var/lock/lockdev"), QStringLiteral("/run/lock"),
            QStandardPaths::writableLocation(QStandardPaths::TempLocation)};
}

qint64 PortProblem::lockFileOwner(const QString &portName, const QStringList &lockDirs)
{
    QString name = portName.startsWith(QLatin1String("/dev/")) ? portName.mid(5) : portName;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const QString &dir : lockDirs) {
        QFile lock(dir + QStringLiteral("/LCK..") + name);
        if (!lock.exists())
            continue;
        // QLockFile's first line is the owner's PID; a uucp-style lock holds it in ASCII too.
        if (!QFileInfo(lock).isFile() || !lock.open(QIODevice::ReadOnly))
            return 0;
        bool ok = false;
        const qint64 pid = lock.readLine(64).trimmed().toLongLong(&ok);
        return ok && pid > 0 ? pid : 0;
    }
    return 0;
}

int PortProblem::systemErrorOf(const QString &reason)
{
    for (const int error : {EACCES, EBUSY, ENOENT, ENODEV, ENXIO, EIO})
        if (reason == qt_error_string(error))
            return error;
    return 0;
}
