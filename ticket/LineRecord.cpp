#include "LineRecord.h"

#include "ticket/Language.h"
#include "ticket/Gbk.h"


namespace {
bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

const QString Sep = QStringLiteral("+");
const QString CrLf = QStringLiteral("\r\n");

// Kinds whose text the unit fills in itself: only the blank lines and one space are written.
bool isPlaceholderKind(const QString &kind)
{
    return kind == QLatin1String("T") || kind == QLatin1String("S") || kind == QLatin1String("E");
}

// What is written for such a line: every CR, lone or not, as CR LF, then a space.
QString placeholderContent(const QString &text)
{
    QString content;
    for (const QChar ch : text)
        if (ch == QLatin1Char('\r'))
            content += CrLf;
    if (!text.isEmpty())
        content += QLatin1Char(' ');
    return content;
}

QString kindLetter(LineRecord::Kind kind, int languageCode)
{
    switch (kind) {
    case LineRecord::Kind::Plain:
        return QStringLiteral("N");
    case LineRecord::Kind::TicketType:
        return QStringLiteral("S");
    case LineRecord::Kind::Time:
        return languageCode == Language_Chinese ? QStringLiteral("T") : QStringLiteral("E");
    case LineRecord::Kind::PeopleRemaining:
        return QStringLiteral("R");
    }
    return QStringLiteral("N");
}

QString alignLetter(LineRecord::Align align)
{
    switch (align) {
    case LineRecord::Align::Right:
        return QStringLiteral("R");
    case LineRecord::Align::Center:
        return QStringLiteral("M");
    case LineRecord::Align::Left:
        break;
    }
    return QStringLiteral("L");
}
} // namespace

QString LineRecord::build(const Controls &c, int languageCode)
{
    return QStringLiteral("ATPW+") + QString::number(c.line) + Sep + kindLetter(c.kind, languageCode) + Sep
        + alignLetter(c.align) + Sep + c.text + CrLf.repeated(c.blankLines) + Sep
        + (c.bigFont ? QStringLiteral("SIZE:B") : QStringLiteral("SIZE:S")) + QStringLiteral("+OK");
}

LineRecord::Controls LineRecord::read(const QString &record)
{
    const QStringList f = record.split(Sep);
    Controls c;
    c.bigFont = f.value(5) == QLatin1String("SIZE:B");
    const QString align = f.value(3);
    c.align = align == QLatin1String("M") ? Align::Center : align == QLatin1String("R") ? Align::Right : Align::Left;
    const QString kind = f.value(2);
    const QString content = f.value(4);
    if (kind == QLatin1String("S"))
        c.kind = Kind::TicketType;
    else if (kind == QLatin1String("T") || kind == QLatin1String("E"))
        c.kind = Kind::Time;
    else if (kind == QLatin1String("R"))
        c.kind = Kind::PeopleRemaining;
    else
        c.kind = Kind::Plain;
    if (c.kind == Kind::Plain || c.kind == Kind::PeopleRemaining)
        c.text = QString(content).remove(CrLf);
    c.blankLines = content.count(CrLf);
    bool ok = false;
    const int line = f.value(1).toInt(&ok);
    c.line = ok ? line : 0;
    return c;
}

QString LineRecord::check(const QString &record)
{
    const QStringList f = record.split(Sep);
    if (f.size() != 7)
        return QStringLiteral("000");
    if (f.at(0) != QLatin1String("ATPW"))
        return QStringLiteral("001");
    if (f.at(1).size() != 1 || !isAsciiDigit(f.at(1).at(0)))
        return QStringLiteral("002");
    static const QStringList kinds{QStringLiteral("E"), QStringLiteral("T"), QStringLiteral("N"), QStringLiteral("S"),
                                   QStringLiteral("R")};
    if (!kinds.contains(f.at(2)))
        return QStringLiteral("003");
    static const QStringList aligns{QStringLiteral("R"), QStringLiteral("L"), QStringLiteral("M")};
    if (!aligns.contains(f.at(3)))
        return QStringLiteral("004");
    const bool big = f.at(5) == QLatin1String("SIZE:B");
    if (!big && f.at(5) != QLatin1String("SIZE:S"))
        return QStringLiteral("005");
    // The limit holds for the record and for what the writer makes of it: lone CRs grow into CR LF.
    int bytes = Gbk::length(f.at(4));
    if (isPlaceholderKind(f.at(2)))
        bytes = qMax(bytes, Gbk::length(placeholderContent(f.at(4))));
    if (big && bytes > CheckLimitBig)
        return QStringLiteral("006");
    if (!big && bytes > CheckLimitSmall)
        return QStringLiteral("007");
    if (f.at(6) != QLatin1String("OK"))
        return QStringLiteral("008");
    return QString();
}

int LineRecord::slotOf(const QString &record)
{
    // Letters and "+" signs, then up to two digits: read by hand, because the text may hold a lone
    // surrogate, which a regular expression refuses to look at.
    const auto leading = [](QChar c) { return c == QLatin1Char('+') || isAsciiLetter(c); };
    int i = 0;
    while (i < record.size() && !leading(record.at(i)))
        ++i;
    while (i < record.size() && leading(record.at(i)))
        ++i;
    int n = -1;
    for (int digits = 0; digits < 2 && i < record.size() && isAsciiDigit(record.at(i)); ++digits, ++i)
        n = qMax(n, 0) * 10 + (record.at(i).unicode() - '0');
    return n < SlotCount ? n : -1;
}

QString LineRecord::blankRecord(int slot)
{
    return QStringLiteral("ATPW+") + QString::number(slot) + QStringLiteral("+N+L+ +SIZE:S+OK");
}

QString LineRecord::writeCommand(const QString &record, int slot)
{
    if (record.isEmpty())
        return blankRecord(slot);
    const QStringList f = record.split(Sep);
    const QString kind = f.value(2);
    // A text of characters GBK has no bytes for (zero-width spaces and the like) is empty on the line.
    if (!isPlaceholderKind(kind))
        return Gbk::encode(f.value(4)).isEmpty() ? blankRecord(slot) : record;
    // The unit prints the real type, number or time itself.
    const QString content = placeholderContent(f.value(4));
    return QStringList{f.value(0), f.value(1), f.value(2), f.value(3), content, f.value(5), f.value(6)}.join(Sep);
}

QStringList LineRecord::writeCommands(const QString *lines)
{
    QStringList commands;
    for (int i = 0; i < SlotCount; ++i)
        commands << writeCommand(lines[i], i);
    return commands;
}

int LineRecord::editorLimit(Kind kind, bool bigFont)
{
    if (kind == Kind::PeopleRemaining)
        return bigFont ? 11 : 123;
    return bigFont ? 16 : 128;
}
