#include "Gbk.h"

#include <QTextCodec>

namespace {
QTextCodec *codec()
{
    static QTextCodec *const gbk = QTextCodec::codecForName("GBK");
    return gbk;
}

bool pairedAt(const QString &text, int i)
{
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
}

// A lone surrogate has no GBK bytes: the codec writes "?" for it inside a text but holds it back at
// the end, so a count and the bytes on the line would differ. It is "?" wherever it stands.
QString withLoneSurrogatesReplaced(const QString &text)
{
    QString out = text;
    for (int i = 0; i < out.size(); ++i) {
        if (pairedAt(out, i))
            ++i;
        else if (out.at(i).isSurrogate())
            out[i] = QLatin1Char('?');
    }
    return out;
}
} // namespace

QByteArray Gbk::encode(const QString &text)
{
    return codec()->fromUnicode(withLoneSurrogatesReplaced(text));
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
        const int step = pairedAt(text, i) ? 2 : 1;
        const int width = length(text.mid(i, step));
        if (bytes + width > maxBytes)
            break;
        bytes += width;
        i += step;
    }
    return i;
}
