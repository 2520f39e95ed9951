#include "TimeSample.h"

#include "ticket/Language.h"

#include <QDateTime>

namespace {
const char *const EnglishMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char *const PolishMonths[12] = {"Sty", "Lut", "Mar", "Kwi", "Maj", "Cze",
                                      "Lip", "Sie", "Wrz", "Paz", "Lis", "Gru"};
} // namespace

QString TimeSample::format(const QDateTime &when, int languageCode)
{
    const int month = when.date().month() - 1;
    switch (languageCode) {
    case Language_English:
        return when.toString(QStringLiteral("dd-")) + QLatin1String(EnglishMonths[month])
            + when.toString(QStringLiteral("-yyyy hh:mm:ss"));
    case Language_Polish:
        return when.toString(QStringLiteral("hh:mm:ss ")) + when.toString(QStringLiteral("dd-"))
            + QLatin1String(PolishMonths[month]) + when.toString(QStringLiteral("-yyyy"));
    default:
        return when.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
}
