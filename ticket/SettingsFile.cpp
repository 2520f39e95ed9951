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

bool writeAt(QFile &file, qint64 offset, const QByteArray &bytes)
{
    return file.seek(offset) && file.write(bytes) == bytes.size() && file.flush();
}

// Written over the old content, for a file beside which nothing can be created. The part that
// grows the file goes first: when the disk is full, that fails before an old byte has changed.
bool writeInPlace(const QString &path, const QByteArray &content, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
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

// Complete beside the file and checked before it takes the old one's place, so a full disk, a
// quota or a size limit leaves the old file as it was. Qt 5 does not report a failed flush inside
// commit(), so every byte is flushed and counted first.
bool writeBeside(QSaveFile &file, const QByteArray &content, QString *error)
{
    const bool written = file.write(content) == content.size() && file.flush() && file.size() == content.size();
    if (!written) {
        *error = reasonOf(file);
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = reasonOf(file);
        return false;
    }
    return true;
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
    // Qt will not replace a file it may not write: the mark comes off the old file for the moment
    // and goes back when anything fails.
    const bool existed = QFileInfo(target.file).isFile();
    const QFile::Permissions before = QFileInfo(target.file).permissions();
    if (existed)
        QFile::setPermissions(target.file, before | QFile::WriteOwner);
    bool ok = false;
    {
        QSaveFile file(target.file);
        file.setDirectWriteFallback(false);
        if (file.open(QIODevice::WriteOnly)) {
            ok = writeBeside(file, content, &reason);
        } else if (existed) {
            // No new file can be made beside it (a read-only folder, a name at the length limit).
            qCDebug(lcSettingsFile) << "cannot write beside" << target.file << file.errorString() << "- writing in place";
            ok = writeInPlace(target.file, content, &reason);
        } else {
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
