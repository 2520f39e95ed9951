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

void Journal::record(const char *direction, const QByteArray &bytes)
{
    QJsonObject entry;
    entry.insert(QStringLiteral("time"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs));
    entry.insert(QStringLiteral("dir"), QString::fromLatin1(direction));
    entry.insert(QStringLiteral("hex"), QString::fromLatin1(bytes.toHex()));
    entry.insert(QStringLiteral("text"), Gbk::decode(bytes));
    write(QJsonDocument(entry).toJson(QJsonDocument::Compact));
}

void Journal::note(const QString &text)
{
    QJsonObject entry;
    entry.insert(QStringLiteral("time"), QDateTime::currentDateTime().toString(Qt::ISODateWithMs));
    entry.insert(QStringLiteral("dir"), QStringLiteral("note"));
    entry.insert(QStringLiteral("text"), text);
    write(QJsonDocument(entry).toJson(QJsonDocument::Compact));
}

void Journal::write(const QByteArray &line)
{
    if (!File.isOpen())
        return;
    File.write(line + '\n');
    File.flush();
}
