#include "SystemDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>

namespace {
QString &overrideDir()
{
    static QString dir;
    return dir;
}

QString besideProgram()
{
    return QStringLiteral("%1/%2").arg(QCoreApplication::applicationDirPath(), QStringLiteral("System"));
}

QString sharedData()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/tqmanage/System"));
}
} // namespace

SystemDir::Layout SystemDir::layout()
{
    if (!overrideDir().isEmpty())
        return Layout::Chosen;
    const QFileInfo beside(besideProgram());
    if (beside.isDir() && beside.isWritable())
        return Layout::Portable;
    // A read-only folder beside the program (or the shared data of an installation) is only read.
    if (beside.isDir() || QFileInfo(sharedData()).isDir())
        return Layout::Installed;
    return Layout::Portable;
}

QString SystemDir::shippedDirectory()
{
    switch (layout()) {
    case Layout::Chosen:
        return overrideDir();
    case Layout::Installed:
        return QFileInfo(besideProgram()).isDir() ? besideProgram() : sharedData();
    case Layout::Portable:
        break;
    }
    return besideProgram();
}

QString SystemDir::userDirectory()
{
    if (layout() == Layout::Installed)
        return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return shippedDirectory();
}

QString SystemDir::shippedPath(const QString &fileName)
{
    return QStringLiteral("%1/%2").arg(shippedDirectory(), fileName);
}

QString SystemDir::userPath(const QString &fileName)
{
    return QStringLiteral("%1/%2").arg(userDirectory(), fileName);
}

QString SystemDir::readPath(const QString &fileName)
{
    const QString own = userPath(fileName);
    return QFileInfo::exists(own) ? own : shippedPath(fileName);
}

void SystemDir::setOverride(const QString &dir)
{
    overrideDir() = dir;
}

QString SystemDir::describe()
{
    const char *names[] = {"portable", "installed", "chosen"};
    return QStringLiteral("%1 layout; shipped files in %2; own files in %3")
        .arg(QLatin1String(names[int(layout())]), shippedDirectory(), userDirectory());
}
