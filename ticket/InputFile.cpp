#include "InputFile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
// Opens the file for reading and judges what was opened, not what the name showed a moment ago:
// a FIFO or device swapped in after the first look is refused at once instead of blocking.
InputFile::Problem openChecked(const QString &path, QFile &file, qint64 *size)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? InputFile::Problem::Missing : InputFile::Problem::Unreadable;
    struct stat st = {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    // Regular: reads may block as usual again.
    if (!regular || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return !regular && S_ISDIR(st.st_mode) ? InputFile::Problem::Directory
             : !regular                        ? InputFile::Problem::NotRegular
                                               : InputFile::Problem::Unreadable;
    }
    *size = qint64(st.st_size);
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return InputFile::Problem::Unreadable;
    *size = file.size();
#endif
    return InputFile::Problem::None;
}
} // namespace

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
    QFile file;
    content.problem = openChecked(path, file, &content.size);
    if (content.problem != Problem::None)
        return content;
    if (content.size > maxSize) {
        content.problem = Problem::TooLarge;
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
