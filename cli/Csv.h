#pragma once

#include <QString>
#include <QStringList>

// CSV as RFC 4180 writes it: fields separated by commas, records ended by CR LF, a field holding a
// comma, a quote or a line break in quotes with its quotes doubled. A unit names its own firmware and a
// network announces its own name: a field a spreadsheet would run as a formula (=, +, -, @, a tab or a
// carriage return first) starts with an apostrophe, so it is shown as the text it is.
namespace Csv {
inline QString row(const QStringList &fields)
{
    QStringList out;
    for (QString field : fields) {
        if (!field.isEmpty() && QStringLiteral("=+-@\t\r").contains(field.at(0)))
            field.prepend(QLatin1Char('\''));
        if (field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) || field.contains(QLatin1Char('\r'))
            || field.contains(QLatin1Char('\n')))
            field = QLatin1Char('"') + field.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
        out << field;
    }
    return out.join(QLatin1Char(',')) + QLatin1String("\r\n");
}
} // namespace Csv
