#include "TicketPrinter.h"

#include "ticket/Gbk.h"

namespace {
QStringList cutRows(const QString &text, int columns)
{
    QStringList rows;
    QString row;
    int used = 0;
    for (const QChar ch : text) {
        const int width = Gbk::length(QString(ch));
        if (used + width > columns) {
            rows << row;
            row.clear();
            used = 0;
        }
        row += ch;
        used += width;
    }
    if (!row.isEmpty())
        rows << row;
    return rows;
}

QString aligned(const QString &row, const QString &align, int columns)
{
    const int room = qMax(0, columns - Gbk::length(row));
    if (align == QLatin1String("R"))
        return QString(room, QLatin1Char(' ')) + row;
    if (align == QLatin1String("M"))
        return QString(room / 2, QLatin1Char(' ')) + row;
    return row;
}
} // namespace

QStringList TicketPrinter::print(const QString *lines, const Context &context)
{
    QStringList rows;
    for (int i = 0; i < 10; ++i)
        rows << printLine(lines[i], context);
    return rows;
}

QStringList TicketPrinter::printLine(const QString &record, const Context &context)
{
    const QStringList f = record.split(QLatin1Char('+'));
    if (f.size() != 7)
        return {};
    const QString kind = f.at(2);
    const QString content = f.at(4);
    const int blanks = content.count(QStringLiteral("\r\n"));
    QString text = QString(content).remove(QStringLiteral("\r\n"));
    if (kind == QLatin1String("S"))
        text = context.ticketType;
    else if (kind == QLatin1String("T"))
        text = context.chineseTime;
    else if (kind == QLatin1String("E"))
        text = context.otherTime;
    else if (kind == QLatin1String("R") && text.contains(QLatin1Char(':')))
        text.replace(text.indexOf(QLatin1Char(':')), 1, QString::number(context.peopleWaiting));
    const bool big = f.at(5) == QLatin1String("SIZE:B");
    const int columns = big ? BigColumns : SmallColumns;
    const QString mark = big ? QStringLiteral("B|") : QStringLiteral("S|");
    QStringList rows;
    if (text.trimmed().isEmpty() && text.size() <= 1)
        text.clear(); // the blank record's single space prints nothing
    for (const QString &row : cutRows(text, columns))
        rows << mark + aligned(row, f.at(3), columns);
    for (int i = 0; i < blanks; ++i)
        rows << mark;
    return rows;
}
