#include "AppendFile.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

struct AppendFile::Handle {
    int fd = -1;
};

namespace {
QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

bool AppendFile::open(QString *error)
{
    if (File)
        return true;
    QDir().mkpath(QFileInfo(Path).absolutePath());
    // Read as well: the last byte tells whether a cut line ends the file.
    const int fd = ::open(QFile::encodeName(Path).constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        *error = systemError();
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        *error = QStringLiteral("not a regular file");
        return false;
    }
    File = std::make_unique<Handle>();
    File->fd = fd;
    return true;
}

bool AppendFile::appendLine(const QByteArray &line, QString *error)
{
    if (!File && !open(error))
        return false;
    QByteArray bytes = line;
    struct stat info {};
    char last = '\n';
    if (::fstat(File->fd, &info) == 0 && info.st_size > 0 && ::pread(File->fd, &last, 1, info.st_size - 1) == 1
        && last != '\n')
        bytes.prepend('\n');
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(File->fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // A short write is followed by one more, which gives the system's reason (a full disk).
            *error = n < 0 ? systemError() : QStringLiteral("nothing written");
            return false;
        }
        done += n;
    }
    return true;
}

bool AppendFile::sync(QString *error)
{
    if (File && ::fsync(File->fd) != 0) {
        *error = systemError();
        return false;
    }
    return true;
}

void AppendFile::close()
{
    if (File)
        ::close(File->fd);
    File.reset();
}
#else
#include <QFile>
#include <io.h>

struct AppendFile::Handle {
    QFile file;
};

bool AppendFile::open(QString *error)
{
    if (File)
        return true;
    QDir().mkpath(QFileInfo(Path).absolutePath());
    auto handle = std::make_unique<Handle>();
    handle->file.setFileName(Path);
    if (!handle->file.open(QIODevice::Append | QIODevice::Unbuffered)) {
        *error = handle->file.errorString();
        return false;
    }
    File = std::move(handle);
    return true;
}

bool AppendFile::appendLine(const QByteArray &line, QString *error)
{
    if (!File && !open(error))
        return false;
    QByteArray bytes = line;
    QFile reader(Path);
    if (reader.open(QIODevice::ReadOnly) && reader.size() > 0 && reader.seek(reader.size() - 1)
        && reader.read(1) != QByteArray("\n"))
        bytes.prepend('\n');
    if (File->file.write(bytes) != bytes.size()) {
        *error = File->file.errorString();
        return false;
    }
    return true;
}

bool AppendFile::sync(QString *error)
{
    if (File && (!File->file.flush() || ::_commit(File->file.handle()) != 0)) {
        *error = File->file.errorString();
        return false;
    }
    return true;
}

void AppendFile::close()
{
    File.reset();
}
#endif

AppendFile::AppendFile(const QString &path)
    : Path(path)
{
}

AppendFile::~AppendFile()
{
    close();
}
