#include "SettingsFile.h"

#include "FileWrite.h"
#include "SafeReplace.h"
#include "SaveTarget.h"
#include "ticket/LogCategories.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QSettings>

namespace {
constexpr QFile::Permissions WriteBits = QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;

// Written over the old content, for a file beside which nothing can be created.
bool writeInPlace(const QString &path, const QByteArray &content, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        *error = file.errorString();
        return false;
    }
    return FileWrite::inPlace(file, content, error);
}

bool holdsAlready(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.size() == content.size() && file.open(QIODevice::ReadOnly)
        && file.readAll() == content;
}

enum class Beside { Written, NotWritten, NotPlaced };

// Complete beside the file and checked before it takes the old one's place, so a full disk, a
// quota or a size limit leaves the old file as it was. Qt 5 does not report a failed flush inside
// commit(), so every byte is written and counted first.
Beside writeBeside(QSaveFile &file, const QByteArray &content, QString *error)
{
    const bool written = FileWrite::writeAll(file, content) && file.size() == content.size();
    if (!written) {
        *error = FileWrite::reasonOf(file);
        file.cancelWriting();
        return Beside::NotWritten;
    }
    if (!file.commit()) {
        // Complete, but it could not be given a name there.
        *error = FileWrite::reasonOf(file);
        return Beside::NotPlaced;
    }
    return Beside::Written;
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

SettingsFile::Loaded SettingsFile::load(const QString &path)
{
    Loaded file;
    file.content = read(path);
    file.decoded = SettingsCodec::decode(file.content.data);
    file.refused = LoadProblem::ofSettings(file.content, file.decoded);
    file.errors = SettingsCodec::errors(file.decoded.settings);
    return file;
}

bool SettingsFile::replace(const QString &path, const QByteArray &content, QString *error)
{
    QString reason;
    const SaveTarget target = SaveTarget::resolve(path);
    bool ok = false;
    if (!target.refusal.isEmpty())
        reason = target.refusal;
    else if (SafeReplace::available())
        ok = SafeReplace::replace(target, content, &reason);
    else
        ok = replacePortably(target.file, content, &reason);
    if (ok)
        return true;
    qCWarning(lcSettingsFile) << "not saved" << path << reason;
    if (error)
        *error = reason;
    return false;
}

bool SettingsFile::replacePortably(const QString &path, const QByteArray &content, QString *error)
{
    QString reason;
    if (!error)
        error = &reason;
    if (holdsAlready(path, content)) {
        // Nothing to write (a full disk need not stop it); the file only gets its read-only mark.
        QFile::setPermissions(path, QFileInfo(path).permissions() & ~WriteBits);
        return true;
    }
    // Qt will not replace a file it may not write: the mark comes off the old file for the moment
    // and goes back when anything fails.
    const bool existed = QFileInfo(path).isFile();
    // Without the "user" flags: Qt would set them as owner bits (root's WriteUser made 0440 into 0640).
    const QFile::Permissions before = QFileInfo(path).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    if (existed)
        QFile::setPermissions(path, before | QFile::WriteOwner);
    bool ok = false;
    {
        QSaveFile file(path);
        file.setDirectWriteFallback(false);
        const Beside beside = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ? writeBeside(file, content, error) : Beside::NotPlaced;
        if (beside != Beside::NotPlaced) {
            ok = beside == Beside::Written;
        } else if (existed) {
            // No new file can be made beside it (a read-only folder, a name at the length limit).
            qCDebug(lcSettingsFile) << "cannot write beside" << path << file.errorString() << "- writing in place";
            error->clear();
            ok = writeInPlace(path, content, error);
        } else if (error->isEmpty()) {
            *error = file.errorString();
        }
    }
    if (ok) {
        // The read-only mark keeps people out, not the program; the read bits stay as the owner set them.
        QFile::setPermissions(path, QFileInfo(path).permissions() & ~WriteBits);
        return true;
    }
    if (existed)
        QFile::setPermissions(path, before);
    return false;
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
