#pragma once

#include <QString>
#include <QStringList>

// Why a serial port could not be opened, or was lost, told by its cause: held by another program
// (its lock file or the kernel's EBUSY), a real permission error with the group that gives the
// right, or a port that is gone. Fed with plain facts, so every cause is testable without a port.
class PortProblem
{
public:
    enum class Cause { Other, InUse, NoPermission, Vanished };

    struct Facts {
        QString portName;
        QString reason;               // the system's words
        bool permissionDenied = false; // Qt's PermissionError: EACCES, EBUSY or a held lock file
        int systemError = 0;           // the errno the reason stands for; 0 when it is no errno text
        bool lockFileHeld = false;     // Qt could not take the port's lock file
        qint64 lockOwner = 0;          // the PID the lock file names; 0 when unknown
        bool portExists = true;
        QString group;                 // the group owning the device
        bool userInGroup = false;      // the running process has that group
    };

    // The facts the system gives about portName after an open failed with reason.
    static Facts gather(const QString &portName, const QString &reason, bool permissionDenied);
    static Cause cause(const Facts &facts);
    // The lines an open-failure message adds: the system's reason and what to do about the cause.
    static QString explain(const Facts &facts);
    // The reason to show when an open port failed (portName as QSerialPort gives it, /dev/ left
    // off): a port that is gone says so.
    static QString lostReason(const QString &portName, const QString &reason);
    // The PID in the lock file Qt keeps for portName in the first of lockDirs that holds one, or 0.
    static qint64 lockFileOwner(const QString &portName, const QStringList &lockDirs = defaultLockDirs());
    static QStringList defaultLockDirs();
    // The errno whose text reason is (of a few that matter here), or 0.
    static int systemErrorOf(const QString &reason);
};
