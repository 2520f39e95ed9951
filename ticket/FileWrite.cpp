#include "FileWrite.h"

#include <QCoreApplication>
#include <QFile>

namespace {
bool writeAt(QFile &file, qint64 offset, const QByteArray &bytes)
{
    return file.seek(offset) && FileWrite::writeAll(file, bytes);
}
} // namespace

bool FileWrite::writeAll(QFileDevice &file, const QByteArray &bytes)
{
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

QString FileWrite::reasonOf(const QFileDevice &file)
{
    return file.error() != QFileDevice::NoError && !file.errorString().isEmpty()
               ? file.errorString()
               : QCoreApplication::translate("QObject", "文件没有写完整");
}

bool FileWrite::inPlace(QFile &file, const QByteArray &content, QString *error)
{
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
