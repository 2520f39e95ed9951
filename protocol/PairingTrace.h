#pragma once

#include "ActionTrace.h"

#include <QObject>

// The record's view of a pairing window: each add or delete command is one "pairing" action,
// ended by the unit's answer to it, by the next command, or by the window closing.
class PairingTrace : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    void setUnit(const QString &key, const QString &firmware);
    void sent(const QString &command);
    void received(const QString &text);
    // The window closed: an action still waiting for its answer ends unanswered.
    void close();

signals:
    void recorded(const UnitRecord &record);

private:
    void end(const QString &result, const QString &reason);

    ActionTrace Trace;
    QString Key;
    QString Firmware;
    bool Deleting = false;
};
