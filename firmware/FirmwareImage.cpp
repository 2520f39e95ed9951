#include "FirmwareImage.h"

#include <QFile>

FirmwareImage FirmwareImage::load(const QString &path)
{
    FirmwareImage image;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return image;
    image.fileSize = file.size();
    if (image.fileSize > MaxSize) {
        image.outcome = Outcome::TooLarge;
        return image;
    }
    // Read one byte past the limit, so a file that grew or lies about its size is not cut silently.
    const QByteArray bytes = file.read(MaxSize + 1);
    if (file.error() != QFile::NoError || bytes.size() != image.fileSize)
        return image;
    image.data = bytes;
    image.outcome = Outcome::Loaded;
    return image;
}
