#include "PreviewRenderer.h"

#include "ticket/LineRecord.h"
#include "ticket/Gbk.h"

#include <QStringList>

PreviewRenderer::Result PreviewRenderer::render(const QString *lines)
{
    Result result;
    for (int i = 0; i < LineRecord::SlotCount; ++i) {
        if (lines[i].isEmpty())
            continue;
        const QString code = LineRecord::check(lines[i]);
        if (!code.isEmpty())
            return {QString(), code};
        result.html += paragraph(lines[i]);
    }
    return result;
}

QString PreviewRenderer::paragraph(const QString &record)
{
    const QStringList f = record.split(QLatin1Char('+'));
    const QString align = f.at(3);
    QString word = align == QLatin1String("R") ? QStringLiteral("right")
                 : align == QLatin1String("M") ? QStringLiteral("center")
                                               : QStringLiteral("left");
    QString s = f.at(4);
    const bool big = f.at(5) == QLatin1String("SIZE:B");
    if (big && Gbk::length(QString(s).remove(QStringLiteral("\r\n"))) > BigCentreAbove)
        word = QStringLiteral("center");
    if (!big && Gbk::length(s) > RowBytes)
        s = breakRows(s);
    if (f.at(2) == QLatin1String("R") && !s.isEmpty())
        s = peopleRemainingSample(s);
    return QStringLiteral("<p align=\"%1\" style=margin:0px;><font size=\"%2\"color=\"%3\">%4</font></p>")
        .arg(word, big ? QStringLiteral("7") : QStringLiteral("4"), QStringLiteral("black"), htmlText(s));
}

QString PreviewRenderer::breakRows(const QString &text)
{
    QString s = text;
    const QString crlf = QStringLiteral("\r\n");
    if (Gbk::length(s) > 3 * RowBytes)
        s.insert(Gbk::prefixWithin(s, 3 * RowBytes), crlf);
    if (Gbk::length(s) > 2 * RowBytes)
        s.insert(Gbk::prefixWithin(s, 2 * RowBytes), crlf);
    s.insert(Gbk::prefixWithin(s, RowBytes), crlf);
    return s;
}

QString PreviewRenderer::peopleRemainingSample(const QString &text)
{
    QString s = text;
    const int colon = s.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return s;
    if (colon + 1 < s.size() && s.at(colon + 1) == QLatin1Char(':'))
        s.replace(colon + 1, 1, QStringLiteral("99"));
    else
        s.replace(colon, 1, QStringLiteral("99"));
    return s;
}

QString PreviewRenderer::htmlText(const QString &text)
{
    QString s = text.toHtmlEscaped();
    s.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    s.replace(QStringLiteral("  "), QStringLiteral("&nbsp;"));
    return s;
}
