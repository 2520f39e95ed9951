#include "SaveTarget.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
// A link is followed unless it lies in a sticky, world-writable folder and belongs neither to the
// user nor to the folder's owner.
bool linkMayBeFollowed(const QString &link)
{
#ifdef Q_OS_UNIX
    struct stat linkStat = {};
    struct stat folderStat = {};
    if (::lstat(QFile::encodeName(link).constData(), &linkStat) != 0
        || ::stat(QFile::encodeName(QFileInfo(link).absolutePath()).constData(), &folderStat) != 0)
        return false;
    const bool shared = (folderStat.st_mode & S_ISVTX) && (folderStat.st_mode & S_IWOTH);
    return !shared || linkStat.st_uid == ::geteuid() || linkStat.st_uid == folderStat.st_uid;
#else
    Q_UNUSED(link)
    return true;
#endif
}

} // namespace

SaveTarget SaveTarget::resolve(const QString &path)
{
    SaveTarget target;
    QFileInfo info(path);
    target.file = path;
    if (info.isSymLink()) {
        if (!linkMayBeFollowed(path)) {
            target.refusal = QCoreApplication::translate("QObject", "这是其他用户放在共享文件夹里的链接, 不会跟随它保存");
            return target;
        }
        // A dangling link names the file it will create.
        target.file = info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
        info.setFile(target.file);
    }
    if (info.isDir())
        target.refusal = QCoreApplication::translate("QObject", "这是一个文件夹, 不是文件");
    else if (info.exists() && !info.isFile())
        target.refusal = QCoreApplication::translate("QObject", "这不是普通文件 (设备或管道), 不能保存到这里");
    return target;
}
