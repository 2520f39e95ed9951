#pragma once

#include <QByteArray>
#include <QString>

class QFile;
class QFileDevice;

// Writing a file completely or saying why not, shared by the ways a settings file is saved.
namespace FileWrite {
// Every byte, unbuffered: after a short write (a size limit) the next one fetches the system's
// reason, which Qt drops when a buffered flush stops halfway.
bool writeAll(QFileDevice &file, const QByteArray &bytes);
// Why a write failed: the system's words where it gave any.
QString reasonOf(const QFileDevice &file);
// Over the old content of a file open for reading and writing. The part that grows the file goes
// first: when the disk is full, that fails before an old byte has changed; a later failure puts
// the old content back.
bool inPlace(QFile &file, const QByteArray &content, QString *error);
} // namespace FileWrite
