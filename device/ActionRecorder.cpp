#include "ActionRecorder.h"

#include "ConnectionController.h"
#include "SettingsFileController.h"
#include "firmware/UpgradeTrace.h"
#include "protocol/CommandBatch.h"
#include "serial/UnitKey.h"
#include "ticket/RecordFile.h"

ActionRecorder::ActionRecorder(const ConnectionController &connection, const SettingsFileController &settingsFile)
    : Connection(connection)
    , Settings_File(settingsFile)
{
}

QString ActionRecorder::unitKey() const
{
    // A unit found on the network keeps its name when a new lease gives it a new address.
    const QString announced = Connection.openUnitName();
    return announced.isEmpty() ? UnitKey::ofAddress(Connection.openPort()) : announced;
}

QString ActionRecorder::firmware() const
{
    return Connection.unitVersion();
}

void ActionRecorder::beginBatch(ActionTrace &trace, BatchKind kind) const
{
    trace.begin(unitKey(), firmware(), BatchKinds::name(kind));
    if (!BatchKinds::fromSettings(kind))
        return;
    const SettingsFileController::Source file = Settings_File.unchangedSource();
    if (!file.path.isEmpty())
        trace.setSettingsFile(file.path, file.sha256);
}

void ActionRecorder::endBatch(ActionTrace &trace, const CommandBatch &batch)
{
    if (batch.sentCount() == 0)
        return;
    trace.setBatch(batch);
    if (batch.isComplete())
        return add(trace.end(QStringLiteral("ok"), QString()));
    add(trace.end(QStringLiteral("interrupted"), QStringLiteral("window closed while waiting for the acknowledgement of %1")
                                                     .arg(batch.waitingFor())));
}

void ActionRecorder::watchUpgrades(UpgradeTrace &trace, UpgradeSession &session)
{
    trace.setUnit(unitKey(), firmware());
    QObject::connect(&session, &UpgradeSession::ended, &trace, [this, &trace](UpgradeSession::Outcome outcome) {
        if (!trace.isRunning())
            return;
        const auto verdict = trace.verdict(outcome);
        add(trace.end(verdict.first, verdict.second));
    });
    QObject::connect(&trace, &UpgradeTrace::leftOpen, &trace, [this](const UnitRecord &record) { add(record); });
}

void ActionRecorder::windowClosed(UpgradeTrace &trace)
{
    if (!trace.isRunning())
        return;
    add(trace.end(QStringLiteral("interrupted"), QStringLiteral("window closed before the unit gave its verdict")));
}

void ActionRecorder::add(const UnitRecord &record)
{
    if (Record)
        Record->append(record);
}
