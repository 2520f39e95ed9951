#include "Commands.h"

#include <QDateTime>

namespace {
QString join(const QStringList &fields)
{
    return fields.join(QLatin1Char('+'));
}
const QString OK = QStringLiteral("OK");
} // namespace

QString Commands::stateQuery()
{
    return QStringLiteral("ATSW+STATE+OK");
}

QString Commands::typeName(int type, const QString &name)
{
    return join({QStringLiteral("ATLW"), QString::number(type), name, OK});
}

QString Commands::networkId(int id)
{
    return join({QStringLiteral("ATNW"), QStringLiteral("0"), QString::number(id), OK});
}

QString Commands::syncRestart(bool allowed)
{
    return join({QStringLiteral("ATNW"), QStringLiteral("1"), allowed ? QStringLiteral("1") : QStringLiteral("0"), OK});
}

QString Commands::autoClear(const QString &hour)
{
    return join({QStringLiteral("ATNW"), QStringLiteral("2"), hour, OK});
}

QString Commands::unitLanguage(int languageCode)
{
    return join({QStringLiteral("ATNW"), QStringLiteral("3"), QString::number(languageCode), OK});
}

QString Commands::timeSync(const QDateTime &localTime)
{
    // The weekday is computed, not read from a locale's day names, so the machine's locales do not matter.
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    const QString stamp = QString::asprintf("%02d-%02d-%02d-%02d-%02d-%02d-%02d", date.year() % 100, date.month(),
                                            date.day(), date.dayOfWeek(), time.hour(), time.minute(), time.second());
    return join({QStringLiteral("ATTW"), stamp, OK});
}

QString Commands::factoryReset()
{
    return QStringLiteral("ATRW+58317+OK");
}

QString Commands::pairReadAll()
{
    return QStringLiteral("ATAW+READ+ALL+OK");
}

QString Commands::pairAdd(const QString &type)
{
    return join({QStringLiteral("ATAW"), QStringLiteral("ADD"), type, OK});
}

QString Commands::pairDelete(const QString &type)
{
    return join({QStringLiteral("ATAW"), QStringLiteral("Delete"), type, OK});
}

QString Commands::upgradeStart()
{
    return QStringLiteral("ATUP+APPSTART+OK\r\n");
}

QString Commands::packageOver()
{
    return QStringLiteral("ATUP+Package_Over+OK\r\n");
}
