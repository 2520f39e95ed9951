#pragma once

#include "ticket/InputFile.h"

#include <QString>
#include <QStringList>

// Why tqmanage-cli sends nothing from the file it was given, in words an operator can act on.
namespace FileRefusal {
// "" when the file could be read; else "not sent: PATH is a directory" and the like.
QString problem(const QString &path, InputFile::Problem problem, qint64 size, qint64 maxSize);
// The settings file's format-error codes, each with what it means.
QString formatErrors(const QStringList &codes);
// What one format-error code means.
QString codeMeaning(const QString &code);
} // namespace FileRefusal
