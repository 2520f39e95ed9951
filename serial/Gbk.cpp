#include "Gbk.h"

#include <QTextCodec>

namespace {
QTextCodec *codec()
{
    static QTextCodec *const gbk = QTextCodec::codecForName("GBK");
    return gbk;
}
} // namespace

QByteArray Gbk::encode(const QString &text)
{
    return codec()->fromUnicode(text);
}

QString Gbk::decode(const QByteArray &bytes)
{
    return codec()->toUnicode(bytes);
}

int Gbk::length(const QString &text)
{
    return encode(text).size();
}

int Gbk::prefixWithin(const QString &text, int maxBytes)
{
    int bytes = 0;
    int i = 0;
    while (i < text.size()) {
        // A surrogate pair is one character; it is kept or dropped whole.
        const int step = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const int width = length(text.mid(i, step));
        if (bytes + width > maxBytes)
            break;
        bytes += width;
        i += step;
    }
    return i;
}
