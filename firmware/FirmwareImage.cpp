#include "FirmwareImage.h"

FirmwareImage FirmwareImage::load(const QString &path)
{
    const InputFile::Content content = InputFile::read(path, MaxSize);
    FirmwareImage image;
    image.problem = content.problem;
    image.fileSize = content.size;
    image.data = content.data;
    switch (content.problem) {
    case InputFile::Problem::None:
    case InputFile::Problem::Empty:
        image.outcome = Outcome::Loaded;
        break;
    case InputFile::Problem::TooLarge:
        image.outcome = Outcome::TooLarge;
        break;
    default:
        image.outcome = Outcome::CannotRead;
        break;
    }
    return image;
}
