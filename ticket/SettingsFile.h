#pragma once

#include <QByteArray>
#include <QString>

#include "ticket/InputFile.h"
#include "ticket/LoadProblem.h"
#include "ticket/SettingsCodec.h"

#include <QStringList>

// Reading and replacing the operator's settings file without ever leaving it half written.
namespace SettingsFile {
// The whole content of a regular file of at most InputFile::SettingsMaxSize bytes, or why not.
InputFile::Content read(const QString &path);

// A settings file read, decoded in memory and judged, alike for the window and the command line.
struct Loaded {
    InputFile::Content content;
    SettingsCodec::Decoded decoded;
    LoadProblem::Refused refused; // why it is no settings file at all (refusal None: it is one)
    QStringList errors;           // its format errors, in the window's order
};
Loaded load(const QString &path);
// Writes content completely beside the file, checks it, then replaces the file and leaves it
// read-only. Where nothing can be made beside it, the file is written in place. On any failure
// the old file keeps its bytes and its mode, and error says why.
bool replace(const QString &path, const QByteArray &content, QString *error = nullptr);
// What replace does where the system offers no safe folder calls (Windows): QSaveFile beside the
// file, in place when nothing can be made beside it. Callable everywhere, so that it is tried on
// every system the tests run on.
bool replacePortably(const QString &path, const QByteArray &content, QString *error = nullptr);
// Stores one key of an INI file (other keys stay), making its folder when needed; false with the
// system's reason when the file cannot be written.
bool writeIniValue(const QString &path, const QString &key, const QString &value, QString *error);
} // namespace SettingsFile
