#pragma once

#include <QByteArray>
#include <QString>

#include "ticket/InputFile.h"

// Reading and replacing the operator's settings file without ever leaving it half written.
namespace SettingsFile {
// The whole content of a regular file of at most InputFile::SettingsMaxSize bytes, or why not.
InputFile::Content read(const QString &path);
// Writes content completely beside the file, then replaces it; a read-only file is made writable
// for the replacement and left read-only again (also when the replacement fails).
bool replace(const QString &path, const QByteArray &content, QString *error = nullptr);
bool isReadOnly(const QString &path);
// Stores one key of an INI file (other keys stay), making its folder when needed; false with the
// system's reason when the file cannot be written.
bool writeIniValue(const QString &path, const QString &key, const QString &value, QString *error);
} // namespace SettingsFile
