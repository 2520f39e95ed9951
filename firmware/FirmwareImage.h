#pragma once

#include <QByteArray>
#include <QString>

// A firmware image file read whole: at most 51200 bytes, and only when every byte could be read.
struct FirmwareImage {
    enum class Outcome { Loaded, CannotRead, TooLarge };

    Outcome outcome = Outcome::CannotRead;
    QByteArray data;
    qint64 fileSize = 0;

    static FirmwareImage load(const QString &path);
    static constexpr qint64 MaxSize = 51200;
};
