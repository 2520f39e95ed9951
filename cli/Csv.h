#pragma once

#include <QString>
#include <QStringList>

// CSV as RFC 4180 writes it: fields separated by commas, records ended by CR LF, a field holding a
// comma, a quote or a line break in quotes with its quotes doubled.
namespace Csv {
inline QString row(const QStringList &fields)
{
    QStringList out;
    for (QString field : fields) {
        if (field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) || field.contains(QLatin1Char('\r'))
            || field.contains(QLatin1Char('\n')))
            field = QLatin1Char('"') + field.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
        out << field;
    }
    return out.join(QLatin1Char(',')) + QLatin1String("\r\n");
}
} // namespace Csv
