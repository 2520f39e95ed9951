#include "SettingsFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
constexpr QFile::Permissions ReadOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
constexpr QFile::Permissions Writable = ReadOnly | QFile::WriteOwner;
} // namespace

QByteArray SettingsFile::read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool SettingsFile::replace(const QString &path, const QByteArray &content, QString *error)
{
    const bool existed = QFileInfo::exists(path);
    if (existed)
        QFile::setPermissions(path, Writable); // the read-only mark keeps people out, not the program
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    ok = ok && file.commit();
    if (!ok) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
    }
    if (QFileInfo::exists(path))
        QFile::setPermissions(path, ReadOnly);
    return ok;
}

bool SettingsFile::isReadOnly(const QString &path)
{
    // The owner's mode bit, not the current user's access: root may write anything.
    return !(QFileInfo(path).permissions() & QFile::WriteOwner);
}
