#pragma once

#include "ticket/UnitRecord.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QString>

class CommandBatch;

// One action on one unit while it runs: what goes to the unit, hashed as it is sent, and how far
// the action got. It ends as the record's line. The window and the command line keep one alike.
class ActionTrace
{
public:
    void begin(const QString &unit, const QString &firmware, const QString &action);
    bool isRunning() const { return Running; }
    QString action() const { return Record.action; }

    // A command as the link sends it (GBK).
    void sentText(const QString &command);
    // The settings file the commands come from, unchanged since it was read.
    void setSettingsFile(const QString &path, const QString &sha256);
    void setImage(qint64 size, const QString &sha256);
    // Commands acknowledged of the batch's commands.
    void setBatch(const CommandBatch &batch);
    void setCommands(int acknowledged, int total);
    void setPackages(int done, int total);
    // result: "ok", "failed" or "interrupted". The record still gets its stamp when appended.
    UnitRecord end(const QString &result, const QString &reason);

    static QString sha256(const QByteArray &bytes);

private:
    UnitRecord Record;
    QCryptographicHash Sent{QCryptographicHash::Sha256};
    bool Running = false;
    bool Sent_Any = false;
};
