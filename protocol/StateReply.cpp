#include "StateReply.h"

#include <QStringList>

std::optional<QString> stateReplyVersion(const QString &text)
{
    if (text.size() <= 10)
        return std::nullopt;
    const QStringList fields = text.split(QLatin1Char('+'));
    if (fields.at(0) != QLatin1String("ATSW"))
        return std::nullopt;
    return fields.value(1);
}

QString StateReply::elided(const QString &version, int max, const QString &ellipsis)
{
    if (version.size() <= max)
        return version;
    return version.left(max - ellipsis.size()) + ellipsis;
}
