#include "SystemDir.h"

#include <QCoreApplication>
#include <QString>

namespace {
QString &overrideDir()
{
    static QString dir;
    return dir;
}
} // namespace

QString SystemDir::filePath(const QString &fileName)
{
    if (!overrideDir().isEmpty())
        return QStringLiteral("%1/%2").arg(overrideDir(), fileName);
    return QStringLiteral("%1/%2/%3").arg(QCoreApplication::applicationDirPath(), QStringLiteral("System"), fileName);
}

QString SystemDir::directory()
{
    if (!overrideDir().isEmpty())
        return overrideDir();
    return QStringLiteral("%1/%2").arg(QCoreApplication::applicationDirPath(), QStringLiteral("System"));
}

void SystemDir::setOverride(const QString &dir)
{
    overrideDir() = dir;
}
