#pragma once

#include "protocol/ActionTrace.h"
#include "protocol/BatchKind.h"

#include <QString>

class CommandBatch;
class ConnectionController;
class RecordFile;
class SettingsFileController;
class UpgradeSession;
class UpgradeTrace;

// What the window puts in the record: each action on the connected unit (a batch, a pairing, an
// upgrade), keyed by its port, with the version it reported and, for the settings batches, the
// settings file the page still holds unchanged. Nothing is recorded without a record file.
class ActionRecorder
{
public:
    ActionRecorder(const ConnectionController &connection, const SettingsFileController &settingsFile);

    void setRecord(RecordFile *record) { Record = record; }
    RecordFile *record() const { return Record; }
    QString unitKey() const;
    QString firmware() const;

    // A batch of this kind about to run; its commands are hashed as they are sent.
    void beginBatch(ActionTrace &trace, BatchKind kind) const;
    // The batch window closed: the batch ended, or was cut short. A batch that sent nothing
    // (nothing to send) is no action.
    void endBatch(ActionTrace &trace, const CommandBatch &batch);
    // The firmware window's transfers: each one recorded when the unit gives its verdict or the
    // transfer fails; one still running when the window closes is recorded as cut short.
    void watchUpgrades(UpgradeTrace &trace, UpgradeSession &session);
    void windowClosed(UpgradeTrace &trace);
    void add(const UnitRecord &record);

private:
    const ConnectionController &Connection;
    const SettingsFileController &Settings_File;
    RecordFile *Record = nullptr;
};
