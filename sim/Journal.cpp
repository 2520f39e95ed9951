#include "Journal.h"

#include "ticket/Gbk.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>

bool Journal::open(const QString &path)
{
    File.setFileName(path);
    return File.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void Journal::record(const char *direction, const QByteArray &bytes, int unit)
{
    if (!File.isOpen())
        return; // a fleet's thousand units write nothing they need not
    QJsonObject entry;
    entry.insert(QStringLiteral("time"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs));
    entry.insert(QStringLiteral("dir"), QString::fromLatin1(direction));
    entry.insert(QStringLiteral("hex"), QString::fromLatin1(bytes.toHex()));
    entry.insert(QStringLiteral("text"), Gbk::decode(bytes));
    write(entry, unit);
}

void Journal::note(const QString &text, int unit)
{
    if (!File.isOpen())
        return;
    QJsonObject entry;
    entry.insert(QStringLiteral("time"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs));
    entry.insert(QStringLiteral("dir"), QStringLiteral("note"));
    entry.insert(QStringLiteral("text"), text);
    write(entry, unit);
}

void Journal::write(QJsonObject entry, int unit)
{
    if (unit >= 0)
        entry.insert(QStringLiteral("unit"), unit);
    File.write(QJsonDocument(entry).toJson(QJsonDocument::Compact) + '\n');
    File.flush();
}
