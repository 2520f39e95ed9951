#pragma once

#include <QByteArray>
#include <QString>

// A file the operator names as input (settings file, firmware image), looked at before a byte is read,
// and what was opened looked at again: a FIFO would block the reader and a device would never end,
// so only regular files of a sane size pass.
namespace InputFile {
enum class Problem { None, Missing, Directory, NotRegular, Unreadable, Empty, TooLarge };

struct Content {
    Problem problem = Problem::None;
    QByteArray data;
    qint64 size = 0; // as the file system reports it, also when refused for its size
};

constexpr qint64 SettingsMaxSize = 1024 * 1024;

// The whole file when it is a regular, readable file of 1 to maxSize bytes; otherwise the reason.
Content read(const QString &path, qint64 maxSize);
} // namespace InputFile
