#include "Commands.h"

#include "serial/Gbk.h"

#include <QDateTime>
#include <QRegularExpression>

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

QString Commands::clearingHourFromItem(int index, const QString &itemText)
{
    if (index == 0)
        return QStringLiteral("25");
    static const QRegularExpression hour(QStringLiteral("([0-9]{1,2}):00"));
    return hour.match(itemText).captured(1);
}

QStringList Commands::typeNameBatch(const QStringList &names)
{
    QStringList batch;
    // A name of characters GBK has no bytes for would go out as an empty field the unit refuses.
    for (int i = 0; i < names.size(); ++i)
        if (!Gbk::encode(names.at(i)).isEmpty())
            batch << typeName(i + 1, names.at(i));
    return batch;
}

QStringList Commands::systemParameterBatch(const QString &networkIdText, int syncRestartIndex, int autoClearIndex,
                                           const QString &autoClearText, int languageCode)
{
    return {join({QStringLiteral("ATNW"), QStringLiteral("0"), networkIdText, OK}), syncRestart(syncRestartIndex == 0),
            autoClear(clearingHourFromItem(autoClearIndex, autoClearText)), unitLanguage(languageCode)};
}
