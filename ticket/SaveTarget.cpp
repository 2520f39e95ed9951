#include "SaveTarget.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
QString folderRefusal()
{
    return QCoreApplication::translate("QObject", "这是一个文件夹, 不是文件");
}

QString notRegularRefusal()
{
    return QCoreApplication::translate("QObject", "这不是普通文件 (设备或管道), 不能保存到这里");
}

#ifdef Q_OS_UNIX
// As the kernel: a link is followed unless it lies in a sticky, world-writable folder and belongs
// neither to the user nor to the folder's owner.
bool mayFollow(const struct stat &link, const QByteArray &folder)
{
    struct stat f = {};
    if (::stat(folder.constData(), &f) != 0)
        return false;
    const bool shared = (f.st_mode & S_ISVTX) && (f.st_mode & S_IWOTH);
    return !shared || link.st_uid == ::geteuid() || link.st_uid == f.st_uid;
}

QByteArray linkTarget(const QByteArray &link)
{
    QByteArray target(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink(link.constData(), target.data(), size_t(target.size()));
        if (n < 0)
            return QByteArray();
        if (n < target.size())
            return target.left(int(n));
        target.resize(target.size() * 2);
    }
}

// Walks the path one name at a time, as the kernel would, following each link it meets (in the
// folders too) only by the rule above; what is left is a folder without links and a name in it.
void resolveByName(SaveTarget &t, const QString &path)
{
    QByteArray folder = "/";
    QList<QByteArray> rest = QFile::encodeName(QDir::isAbsolutePath(path) ? path : QDir::currentPath() + QLatin1Char('/') + path)
                                 .split('/');
    int links = 0;
    struct stat st = {};
    while (!rest.isEmpty()) {
        const QByteArray part = rest.takeFirst();
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            folder = folder.left(qMax(1, folder.lastIndexOf('/')));
            continue;
        }
        const QByteArray next = (folder == "/" ? folder : folder + '/') + part;
        if (::lstat(next.constData(), &st) != 0) {
            if (errno == ENOENT && rest.isEmpty()) {
                t.name = QFile::decodeName(part); // a new file
                break;
            }
            t.refusal = qt_error_string(errno);
            return;
        }
        if (S_ISLNK(st.st_mode)) {
            const QByteArray target = linkTarget(next);
            if (++links > 40 || target.isEmpty()) {
                t.refusal = qt_error_string(target.isEmpty() ? errno : ELOOP);
                return;
            }
            if (!mayFollow(st, folder)) {
                t.refusal = SaveTarget::plantedLinkRefusal();
                return;
            }
            if (target.startsWith('/'))
                folder = "/";
            rest = target.split('/') + rest;
            continue;
        }
        if (rest.isEmpty()) {
            if (S_ISDIR(st.st_mode))
                t.refusal = folderRefusal();
            else if (!S_ISREG(st.st_mode))
                t.refusal = notRegularRefusal();
            t.name = QFile::decodeName(part);
            break;
        }
        if (!S_ISDIR(st.st_mode)) {
            t.refusal = qt_error_string(ENOTDIR);
            return;
        }
        folder = next;
    }
    if (t.refusal.isEmpty() && t.name.isEmpty())
        t.refusal = folderRefusal(); // the path ends in a folder ("/", "..")
    if (!t.refusal.isEmpty() || ::stat(folder.constData(), &st) != 0)
        return;
    t.folder = QFile::decodeName(folder);
    t.file = (folder == "/" ? t.folder : t.folder + QLatin1Char('/')) + t.name;
    t.folderDevice = quint64(st.st_dev);
    t.folderInode = quint64(st.st_ino);
}
#endif
} // namespace

QString SaveTarget::plantedLinkRefusal()
{
    return QCoreApplication::translate("QObject", "这是其他用户放在共享文件夹里的链接, 不会跟随它保存");
}

SaveTarget SaveTarget::resolve(const QString &path)
{
    SaveTarget target;
    target.file = path;
#ifdef Q_OS_UNIX
    resolveByName(target, path);
#else
    // Without POSIX calls: the name's own link is followed, and a dangling one names the file it
    // will create.
    QFileInfo info(path);
    if (info.isSymLink()) {
        target.file = info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
        info.setFile(target.file);
    }
    if (info.isDir())
        target.refusal = folderRefusal();
    else if (info.exists() && !info.isFile())
        target.refusal = notRegularRefusal();
#endif
    return target;
}
