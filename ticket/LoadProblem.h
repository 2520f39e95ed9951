#pragma once

#include "ticket/InputFile.h"
#include "ticket/SettingsCodec.h"

#include <QString>
#include <QStringList>

// Why a file the operator named is not taken, and what each format error of a settings file means:
// one table each, in the window's words (translated) and in the command line's (English).
namespace LoadProblem {
enum class Refusal { None, Missing, Directory, NotRegular, Unreadable, Empty, TooLarge, TypedValue, NotSettings };

struct Refused {
    Refusal refusal = Refusal::None;
    qint64 size = 0; // a file too large: its size and the limit
    qint64 maxSize = 0;
    QString typedKey; // a typed value: under which key, and its form
    QString typedForm;
};

// A file read (or not) with this outcome.
Refused of(const InputFile::Content &content, qint64 maxSize);
// A settings file: as read, then a typed value, then no key at all (not a settings file).
Refused ofSettings(const InputFile::Content &content, const SettingsCodec::Decoded &decoded);

// The operator's sentence in the window; empty when the file is taken.
QString reason(const Refused &refused);
// The command line's: "not sent: PATH is a directory" and the like; empty when the file is taken.
QString notSent(const QString &path, const Refused &refused);
// "not sent: settings file error" and each code with what it means.
QString formatErrors(const QStringList &codes);
QString codeMeaning(const QString &code);
} // namespace LoadProblem
