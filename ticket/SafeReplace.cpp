#include "SafeReplace.h"

#include "FileWrite.h"
#include "SaveTarget.h"
#include "ticket/LogCategories.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QRandomGenerator>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef Q_OS_UNIX
namespace {
constexpr mode_t WriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

// A descriptor, closed when it goes.
class Fd
{
public:
    explicit Fd(int fd)
        : D(fd)
    {
    }
    ~Fd()
    {
        if (D >= 0)
            ::close(D);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    operator int() const { return D; }

private:
    int D;
};

QString replacedWhileSaving()
{
    return QCoreApplication::translate("QObject", "保存时文件或文件夹被换掉了, 没有写入");
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The name in the folder, never through a link, and only while it is still the file looked at;
// otherwise -1 and why.
int openSame(int dir, const QByteArray &name, int flags, const struct stat &expected, QString *why = nullptr)
{
    const int fd = ::openat(dir, name.constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (why)
            *why = qt_error_string(errno);
        return -1;
    }
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !sameFile(st, expected)) {
        ::close(fd);
        if (why)
            *why = replacedWhileSaving();
        return -1;
    }
    return fd;
}

bool holdsAlready(int dir, const QByteArray &name, const struct stat &old, const QByteArray &content)
{
    if (old.st_size != content.size())
        return false;
    Fd fd(openSame(dir, name, O_RDONLY, old));
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle) || file.readAll() != content)
        return false;
    // Nothing to write (a full disk need not stop it); the file only gets its read-only mark.
    return ::fchmod(fd, old.st_mode & 07777 & ~WriteBits) == 0;
}

bool inPlace(int dir, const QByteArray &name, const struct stat &old, const QByteArray &content, QString *error)
{
    const Fd marker(openSame(dir, name, O_RDONLY, old, error));
    if (marker < 0)
        return false;
    // The read-only mark comes off for the moment and goes back whatever happens.
    const mode_t mode = old.st_mode & 07777;
    ::fchmod(marker, mode | S_IWUSR);
    const Fd fd(openSame(dir, name, O_RDWR, old, error));
    QFile file;
    bool ok = fd >= 0 && file.open(fd, QIODevice::ReadWrite | QIODevice::Unbuffered, QFileDevice::DontCloseHandle)
        && FileWrite::inPlace(file, content, error);
    if (!ok && error->isEmpty())
        *error = FileWrite::reasonOf(file);
    if (ok && ::fsync(fd) != 0) {
        *error = qt_error_string(errno);
        ok = false;
    }
    ::fchmod(marker, ok ? mode & ~WriteBits : mode);
    return ok;
}

enum class Beside { Written, NotWritten, NotPlaced };

// Complete and on disk beside the file before it takes the old one's name, so a full disk, a
// quota or a size limit leaves the old file as it was.
Beside writeBeside(int dir, const QByteArray &name, const struct stat *old, const QByteArray &content, QString *error)
{
    QByteArray temp;
    int fd = -1;
    // A name near the system's length limit leaves no room for more: then a short one of our own.
    bool shortName = false;
    for (int attempt = 0; fd < 0 && attempt < 6; ++attempt) {
        temp = '.' + (shortName ? QByteArrayLiteral("tqmanage-save") : name) + '.'
            + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        // Private until complete; a new file ends up read-only for everybody the umask lets read.
        fd = ::openat(dir, temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, old ? 0400 : 0444);
        if (fd < 0 && errno == ENAMETOOLONG && !shortName)
            shortName = true;
        else if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        *error = qt_error_string(errno);
        return Beside::NotPlaced;
    }
    Fd closer(fd);
    QFile file;
    bool ok = file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle)
        && FileWrite::writeAll(file, content) && file.size() == content.size();
    if (!ok) {
        *error = FileWrite::reasonOf(file);
    } else if (::fsync(fd) != 0) {
        *error = qt_error_string(errno);
        ok = false;
    }
    if (ok && old) {
        // The old file's owner and group, where this process may give them (root may).
        if (::fchown(fd, old->st_uid, old->st_gid) != 0)
            (void)!::fchown(fd, uid_t(-1), old->st_gid);
        ok = ::fchmod(fd, old->st_mode & 0777 & ~WriteBits) == 0;
        if (!ok)
            *error = qt_error_string(errno);
    }
    if (ok && ::renameat(dir, temp.constData(), dir, name.constData()) != 0) {
        *error = qt_error_string(errno);
        ok = false;
    }
    if (!ok) {
        ::unlinkat(dir, temp.constData(), 0);
        return Beside::NotWritten;
    }
    ::fsync(dir); // the new name on disk too
    return Beside::Written;
}
} // namespace

bool SafeReplace::available()
{
    return true;
}

bool SafeReplace::replace(const SaveTarget &target, const QByteArray &content, QString *error)
{
    const QByteArray name = QFile::encodeName(target.name);
    const Fd dir(::open(QFile::encodeName(target.folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat folder = {};
    if (dir < 0) {
        *error = qt_error_string(errno);
        return false;
    }
    if (::fstat(dir, &folder) != 0 || quint64(folder.st_dev) != target.folderDevice || quint64(folder.st_ino) != target.folderInode) {
        *error = replacedWhileSaving();
        return false;
    }
    struct stat old = {};
    bool existed = false;
    if (::fstatat(dir, name.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0) {
        // A link put there since is replaced, never followed.
        existed = S_ISREG(old.st_mode);
        if (!existed && !S_ISLNK(old.st_mode)) {
            *error = replacedWhileSaving();
            return false;
        }
    } else if (errno != ENOENT) {
        *error = qt_error_string(errno);
        return false;
    }
    if (existed && holdsAlready(dir, name, old, content))
        return true;
    if (existed && old.st_nlink > 1) {
        // Every name of the file gets the new content; but not through a second name another user
        // made in a shared sticky folder (the kernel's protected_regular rule).
        const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
        if (shared && old.st_uid != ::geteuid() && old.st_uid != folder.st_uid) {
            *error = SaveTarget::plantedLinkRefusal();
            return false;
        }
        return inPlace(dir, name, old, content, error);
    }
    const Beside beside = writeBeside(dir, name, existed ? &old : nullptr, content, error);
    if (beside == Beside::NotPlaced && existed) {
        // No new file can be made beside it (a read-only folder).
        qCDebug(lcSettingsFile) << "cannot write beside" << target.file << *error << "- writing in place";
        error->clear();
        return inPlace(dir, name, old, content, error);
    }
    return beside == Beside::Written;
}
#else
bool SafeReplace::available()
{
    return false;
}

bool SafeReplace::replace(const SaveTarget &, const QByteArray &, QString *error)
{
    *error = QStringLiteral("not available");
    return false;
}
#endif
