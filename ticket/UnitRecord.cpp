#include "UnitRecord.h"

#include <QJsonDocument>
#include <QJsonValue>

namespace {
QString bounded(const QString &text)
{
    return text.size() > UnitRecord::MaxTextLength ? text.left(UnitRecord::MaxTextLength) + QStringLiteral("...") : text;
}

QString number(qint64 n)
{
    return n < 0 ? QString() : QString::number(n);
}

void putText(QJsonObject &o, const char *key, const QString &value)
{
    if (!value.isEmpty())
        o.insert(QLatin1String(key), bounded(value));
}

void putNumber(QJsonObject &o, const char *key, qint64 value)
{
    if (value >= 0)
        o.insert(QLatin1String(key), value);
}

int intOf(const QJsonObject &o, const char *key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isDouble() && v.toDouble() >= 0 && v.toDouble() <= 1e9 ? int(v.toDouble()) : -1;
}

QString textOf(const QJsonObject &o, const char *key)
{
    return bounded(o.value(QLatin1String(key)).toString());
}
} // namespace

QJsonObject UnitRecord::toJson() const
{
    QJsonObject o;
    o.insert(QStringLiteral("time"), time.toUTC().toString(Qt::ISODateWithMs));
    putText(o, "host", host);
    putText(o, "user", user);
    putText(o, "program", program);
    putText(o, "version", version);
    o.insert(QStringLiteral("unit"), bounded(unit));
    o.insert(QStringLiteral("firmware"), bounded(firmware));
    o.insert(QStringLiteral("action"), action);
    putText(o, "commandsSha256", commandsSha256);
    putText(o, "settingsFile", settingsFile);
    putText(o, "settingsSha256", settingsSha256);
    putNumber(o, "imageSize", imageSize);
    putText(o, "imageSha256", imageSha256);
    putNumber(o, "acknowledged", acknowledged);
    putNumber(o, "commands", commands);
    putNumber(o, "packages", packages);
    putNumber(o, "packageTotal", packageTotal);
    o.insert(QStringLiteral("result"), result);
    putText(o, "reason", reason);
    return o;
}

QByteArray UnitRecord::toLine() const
{
    return QJsonDocument(toJson()).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<UnitRecord> UnitRecord::fromLine(const QByteArray &line)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject o = doc.object();
    UnitRecord r;
    r.time = QDateTime::fromString(o.value(QLatin1String("time")).toString(), Qt::ISODateWithMs);
    r.unit = textOf(o, "unit");
    r.action = textOf(o, "action");
    r.result = textOf(o, "result");
    // Without these it says nothing about any unit.
    if (!r.time.isValid() || r.unit.isEmpty() || r.action.isEmpty() || r.result.isEmpty())
        return std::nullopt;
    r.time = r.time.toUTC();
    r.host = textOf(o, "host");
    r.user = textOf(o, "user");
    r.program = textOf(o, "program");
    r.version = textOf(o, "version");
    r.firmware = textOf(o, "firmware");
    r.commandsSha256 = textOf(o, "commandsSha256");
    r.settingsFile = textOf(o, "settingsFile");
    r.settingsSha256 = textOf(o, "settingsSha256");
    const QJsonValue size = o.value(QLatin1String("imageSize"));
    r.imageSize = size.isDouble() && size.toDouble() >= 0 && size.toDouble() < 1e15 ? qint64(size.toDouble()) : -1;
    r.imageSha256 = textOf(o, "imageSha256");
    r.acknowledged = intOf(o, "acknowledged");
    r.commands = intOf(o, "commands");
    r.packages = intOf(o, "packages");
    r.packageTotal = intOf(o, "packageTotal");
    r.reason = textOf(o, "reason");
    return r;
}

QStringList UnitRecord::fieldNames()
{
    return {QStringLiteral("time"),         QStringLiteral("host"),           QStringLiteral("user"),
            QStringLiteral("program"),      QStringLiteral("version"),        QStringLiteral("unit"),
            QStringLiteral("firmware"),     QStringLiteral("action"),         QStringLiteral("commandsSha256"),
            QStringLiteral("settingsFile"), QStringLiteral("settingsSha256"), QStringLiteral("imageSize"),
            QStringLiteral("imageSha256"),  QStringLiteral("acknowledged"),   QStringLiteral("commands"),
            QStringLiteral("packages"),     QStringLiteral("packageTotal"),   QStringLiteral("result"),
            QStringLiteral("reason")};
}

QStringList UnitRecord::fields() const
{
    return {time.toUTC().toString(Qt::ISODateWithMs), host, user, program, version, unit, firmware, action,
            commandsSha256, settingsFile, settingsSha256, number(imageSize), imageSha256, number(acknowledged),
            number(commands), number(packages), number(packageTotal), result, reason};
}

QString UnitRecord::progressText() const
{
    if (packageTotal >= 0)
        return QStringLiteral("%1/%2 packages").arg(qMax(packages, 0)).arg(packageTotal);
    if (commands >= 0)
        return QStringLiteral("%1/%2").arg(qMax(acknowledged, 0)).arg(commands);
    return QString();
}
