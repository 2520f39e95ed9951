#pragma once

#include <QByteArray>
#include <QString>

#include "ticket/InputFile.h"

// Reading and replacing the operator's settings file without ever leaving it half written.
namespace SettingsFile {
// The whole content of a regular file of at most InputFile::SettingsMaxSize bytes, or why not.
InputFile::Content read(const QString &path);
// Writes content completely beside the file, checks it, then replaces the file and leaves it
// read-only. Where nothing can be made beside it, the file is written in place. On any failure
// the old file keeps its bytes and its mode, and error says why.
bool replace(const QString &path, const QByteArray &content, QString *error = nullptr);
// Stores one key of an INI file (other keys stay), making its folder when needed; false with the
// system's reason when the file cannot be written.
bool writeIniValue(const QString &path, const QString &key, const QString &value, QString *error);
} // namespace SettingsFile
