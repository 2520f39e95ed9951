#include "SettingsFile.h"

#include "SaveTarget.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QSettings>

Q_LOGGING_CATEGORY(lcSettingsFile, "tq.settingsfile")

namespace {
constexpr QFile::Permissions WriteBits = QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;

QString notComplete()
{
    return QCoreApplication::translate("QObject", "文件没有写完整");
}

// Why a write failed: the system's words where it gave any.
QString reasonOf(const QFileDevice &file)
{
    return file.error() != QFileDevice::NoError && !file.errorString().isEmpty() ? file.errorString() : notComplete();
}

// Unbuffered and to the last byte: after a short write (a size limit) the next one fetches the
// system's reason, which Qt drops when a buffered flush stops halfway.
bool writeAll(QFileDevice &file, const QByteArray &bytes)
{
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

bool writeAt(QFile &file, qint64 offset, const QByteArray &bytes)
{
    return file.seek(offset) && writeAll(file, bytes);
}

// Written over the old content, for a file beside which nothing can be created. The part that
// grows the file goes first: when the disk is full, that fails before an old byte has changed.
bool writeInPlace(const QString &path, const QByteArray &content, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        *error = file.errorString();
        return false;
    }
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError || old.size() != file.size()) {
        *error = reasonOf(file);
        return false;
    }
    if (content.size() > old.size() && !writeAt(file, old.size(), content.mid(old.size()))) {
        *error = reasonOf(file);
        file.resize(old.size());
        return false;
    }
    if (!writeAt(file, 0, content.left(old.size())) || !file.resize(content.size()) || file.size() != content.size()) {
        *error = reasonOf(file);
        // Put back what was there; the old content needs no new room.
        if (!(writeAt(file, 0, old) && file.resize(old.size())))
            *error += QLatin1Char(' ') + QCoreApplication::translate("QObject", "(原文件可能已损坏)");
        return false;
    }
    return true;
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
    const bool written = writeAll(file, content) && file.size() == content.size();
    if (!written) {
        *error = reasonOf(file);
        file.cancelWriting();
        return Beside::NotWritten;
    }
    if (!file.commit()) {
        // Complete, but it could not be given a name there (on Linux the new file has none until then).
        *error = reasonOf(file);
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

bool SettingsFile::replace(const QString &path, const QByteArray &content, QString *error)
{
    QString reason;
    const SaveTarget target = SaveTarget::resolve(path);
    if (!target.refusal.isEmpty()) {
        qCWarning(lcSettingsFile) << "not saved" << path << target.refusal;
        if (error)
            *error = target.refusal;
        return false;
    }
    if (holdsAlready(target.file, content)) {
        // Nothing to write (a full disk need not stop it); the file only gets its read-only mark.
        QFile::setPermissions(target.file, QFileInfo(target.file).permissions() & ~WriteBits);
        return true;
    }
    // Qt will not replace a file it may not write: the mark comes off the old file for the moment
    // and goes back when anything fails.
    const bool existed = QFileInfo(target.file).isFile();
    // Without the "user" flags: Qt would set them as owner bits (root's WriteUser made 0440 into 0640).
    const QFile::Permissions before = QFileInfo(target.file).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    if (existed)
        QFile::setPermissions(target.file, before | QFile::WriteOwner);
    bool ok = false;
    {
        QSaveFile file(target.file);
        file.setDirectWriteFallback(false);
        const Beside beside = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ? writeBeside(file, content, &reason) : Beside::NotPlaced;
        if (beside != Beside::NotPlaced) {
            ok = beside == Beside::Written;
        } else if (existed) {
            // No new file can be made beside it (a read-only folder, a name at the length limit).
            qCDebug(lcSettingsFile) << "cannot write beside" << target.file << file.errorString() << "- writing in place";
            reason.clear();
            ok = writeInPlace(target.file, content, &reason);
        } else if (reason.isEmpty()) {
            reason = file.errorString();
        }
    }
    if (ok) {
        // The read-only mark keeps people out, not the program; the read bits stay as the owner set them.
        QFile::setPermissions(target.file, QFileInfo(target.file).permissions() & ~WriteBits);
        return true;
    }
    if (existed)
        QFile::setPermissions(target.file, before);
    qCWarning(lcSettingsFile) << "not saved" << path << reason;
    if (error)
        *error = reason;
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
