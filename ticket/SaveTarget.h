#pragma once

#include <QString>

// The file a save really writes. Every symbolic link on the way (the file's own, a chain of them,
// and the folders') is followed only where the kernel's protected_symlinks rule would follow it,
// so a link planted by someone else in a shared sticky folder (/tmp) cannot redirect the save.
struct SaveTarget {
    QString file;    // the regular file (or new name) to write
    QString refusal; // non-empty: why nothing may be written there
    // Where POSIX systems write: the folder without any link left in its path, the name in it, and
    // the folder's identity when it was looked at, so that a folder swapped in later is noticed.
    QString folder;
    QString name;
    quint64 folderDevice = 0;
    quint64 folderInode = 0;

    static SaveTarget resolve(const QString &path);
    // Why a link another user left in a shared sticky folder is not saved through.
    static QString plantedLinkRefusal();
};
