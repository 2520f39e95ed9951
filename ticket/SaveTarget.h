#pragma once

#include <QString>

// The file a save really writes: a symbolic link is followed only where the kernel's
// protected_symlinks rule would follow it, so a link planted by someone else in a shared sticky
// folder (/tmp) cannot redirect the operator's save onto another file.
struct SaveTarget {
    QString file;    // the regular file (or new name) to write
    QString refusal; // non-empty: why nothing may be written there

    static SaveTarget resolve(const QString &path);
};
