#pragma once

#include <QByteArray>
#include <QString>

#include "ticket/InputFile.h"

// A firmware image file read whole: a regular file of at most 51200 bytes, and only when every byte
// could be read. An empty file loads with no data; problem says why a file was refused or is empty.
struct FirmwareImage {
    enum class Outcome { Loaded, CannotRead, TooLarge };

    Outcome outcome = Outcome::CannotRead;
    InputFile::Problem problem = InputFile::Problem::None;
    QByteArray data;
    qint64 fileSize = 0;

    static FirmwareImage load(const QString &path);
    static constexpr qint64 MaxSize = 51200;
};
