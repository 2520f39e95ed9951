#include "FieldText.h"

#include "ticket/Gbk.h"

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
    return text.left(Gbk::prefixWithin(text, maxBytes));
}
