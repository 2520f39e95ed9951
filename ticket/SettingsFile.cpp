#include "SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QSettings>

Q_LOGGING_CATEGORY(lcSettingsFile, "tq.settingsfile")

namespace {
constexpr QFile::Permissions WriteBits = QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;

// Written over the old content, for a file that cannot be replaced by a new one.
bool writeInPlace(const QString &path, const QByteArray &content, QString *error)
{
    QFile file(path);
    const bool ok = file.open(QIODevice::ReadWrite) && file.write(content) == content.size() && file.resize(content.size())
        && file.flush();
    if (!ok && error)
        *error = file.errorString();
    return ok;
}

// Why a file cannot be written, as the system says it; nothing is created on the way.
QString whyNotWritable(const QString &path)
{
    QFile probe(path);
    const bool opened = probe.open(QFileInfo::exists(path) ? QIODevice::ReadWrite : QIODevice::WriteOnly | QIODevice::NewOnly);
    const QString reason = probe.errorString();
    if (opened) {
        probe.close();
        if (probe.size() == 0)
            probe.remove();
        return QStringLiteral("write failed");
    }
    return reason;
}
} // namespace

InputFile::Content SettingsFile::read(const QString &path)
{
    return InputFile::read(path, InputFile::SettingsMaxSize);
}

bool SettingsFile::replace(const QString &path, const QByteArray &content, QString *error)
{
    const bool existed = QFileInfo::exists(path);
    // The read-only mark keeps people out, not the program; the read bits stay as the owner set them.
    const QFile::Permissions before = QFileInfo(path).permissions();
    if (existed)
        QFile::setPermissions(path, before | QFile::WriteOwner);
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit();
    if (!ok && existed) {
        // The old file is intact; where no new one can take its place, it is written over instead.
        qCDebug(lcSettingsFile) << "cannot replace" << path << file.errorString() << "- writing in place";
        ok = writeInPlace(path, content, error);
    } else if (!ok && error) {
        *error = file.errorString();
    }
    if (QFileInfo::exists(path))
        QFile::setPermissions(path, QFileInfo(path).permissions() & ~WriteBits);
    return ok;
}

bool SettingsFile::isReadOnly(const QString &path)
{
    // The owner's mode bit, not the current user's access: root may write anything.
    return !(QFileInfo(path).permissions() & QFile::WriteOwner);
}


bool SettingsFile::writeIniValue(const QString &path, const QString &key, const QString &value, QString *error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    {
        QSettings ini(path, QSettings::IniFormat);
        ini.setValue(key, value);
        ini.sync();
        if (ini.status() == QSettings::NoError && QFileInfo(path).isFile())
            return true;
    }
    if (error)
        *error = whyNotWritable(path);
    return false;
}
