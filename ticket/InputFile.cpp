#include "InputFile.h"

#include <QFile>
#include <QFileInfo>

InputFile::Content InputFile::read(const QString &path, qint64 maxSize)
{
    Content content;
    const QFileInfo info(path);
    if (!info.exists()) {
        content.problem = Problem::Missing; // also a link whose target is gone
        return content;
    }
    if (info.isDir()) {
        content.problem = Problem::Directory;
        return content;
    }
    if (!info.isFile()) {
        content.problem = Problem::NotRegular;
        return content;
    }
    content.size = info.size();
    if (content.size > maxSize) {
        content.problem = Problem::TooLarge;
        return content;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        content.problem = Problem::Unreadable;
        return content;
    }
    // One byte past the limit: a file that grew since it was looked at is refused, not cut.
    content.data = file.read(maxSize + 1);
    if (file.error() != QFile::NoError) {
        content.data.clear();
        content.problem = Problem::Unreadable;
    } else if (content.data.size() > maxSize) {
        content.size = content.data.size();
        content.data.clear();
        content.problem = Problem::TooLarge;
    } else if (content.data.size() != content.size) {
        // A file that changed while it was read, or one that reports no size (/proc): not a whole copy.
        content.data.clear();
        content.problem = Problem::Unreadable;
    } else if (content.data.isEmpty()) {
        content.problem = Problem::Empty;
    }
    return content;
}
