#include "FieldText.h"

#include "serial/Gbk.h"

FieldText FieldText::clean(const QString &typed, int maxBytes)
{
    FieldText out;
    out.text = typed;
    out.removedPlus = out.text.count(QLatin1Char('+'));
    out.text.remove(QLatin1Char('+'));
    out.text = longestPrefixWithin(out.text, maxBytes);
    return out;
}

QString FieldText::longestPrefixWithin(const QString &text, int maxBytes)
{
    if (Gbk::length(text) <= maxBytes)
        return text;
    int bytes = 0;
    int i = 0;
    while (i < text.size()) {
        // A surrogate pair is one character; it is kept or dropped whole.
        const int step = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const int width = Gbk::length(text.mid(i, step));
        if (bytes + width > maxBytes)
            break;
        bytes += width;
        i += step;
    }
    return text.left(i);
}
