#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

// The INI text of a settings file, read and written in memory the way Qt's QSettings (INI format,
// no text codec) reads and writes it, so files stay exchangeable with every earlier version. Values
// are text and numbers only: the typed forms QSettings turns into objects (@Variant, @DateTime,
// @Rect, @Size, @Point) are never decoded, only named.
namespace IniText {
struct Value {
    QVariant value; // a string, a list of strings, bytes (@ByteArray) or nothing (@Invalid())
    QString typedForm; // non-empty ("@Variant", "@Rect", ...): a typed value, left undecoded
};

// The keys of the General section (the one for keys without a group), as QSettings finds them.
QHash<QString, Value> readGeneral(const QByteArray &text);
// "[General]" and one line per key, in the order QSettings writes them; values are strings or integers.
QByteArray writeGeneral(const QList<QPair<QString, QVariant>> &keys);
} // namespace IniText
