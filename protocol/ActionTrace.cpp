#include "ActionTrace.h"

#include "CommandBatch.h"
#include "ticket/Gbk.h"

void ActionTrace::begin(const QString &unit, const QString &firmware, const QString &action)
{
    Record = UnitRecord();
    Record.unit = unit;
    Record.firmware = firmware;
    Record.action = action;
    Sent.reset();
    Sent_Any = false;
    Running = true;
}

void ActionTrace::sentText(const QString &command)
{
    Sent.addData(Gbk::encode(command));
    Sent_Any = true;
}

void ActionTrace::setSettingsFile(const QString &path, const QString &sha256)
{
    Record.settingsFile = path;
    Record.settingsSha256 = sha256;
}

void ActionTrace::setImage(qint64 size, const QString &sha256)
{
    Record.imageSize = size;
    Record.imageSha256 = sha256;
}

void ActionTrace::setBatch(const CommandBatch &batch)
{
    // The command in flight is sent, not acknowledged.
    setCommands(batch.isComplete() ? batch.commandCount() : qMax(0, batch.sentCount() - 1), batch.commandCount());
}

void ActionTrace::setCommands(int acknowledged, int total)
{
    Record.acknowledged = acknowledged;
    Record.commands = total;
}

void ActionTrace::setPackages(int done, int total)
{
    Record.packages = qMax(Record.packages, done);
    Record.packageTotal = total;
}

UnitRecord ActionTrace::end(const QString &result, const QString &reason)
{
    Running = false;
    // Nothing sent (the port never opened) has no hash of what was sent.
    Record.commandsSha256 = Sent_Any ? QString::fromLatin1(Sent.result().toHex()) : QString();
    Record.result = result;
    Record.reason = reason;
    return Record;
}

QString ActionTrace::sha256(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}
