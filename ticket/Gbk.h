#pragma once

#include <QByteArray>
#include <QString>

// GBK is the unit's character set: every length limit and every byte on the line is GBK.
namespace Gbk {
QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);
int length(const QString &text);
// How many characters (QChar units) of text fit in maxBytes, never splitting a character.
int prefixWithin(const QString &text, int maxBytes);
} // namespace Gbk
