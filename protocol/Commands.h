#pragma once

#include <QString>

class QDateTime;

// Every command the tool sends to the unit, built from its arguments. Nothing is added around a
// command: no terminator except on the two bootloader texts.
namespace Commands {
QString stateQuery();
// The unit needs a moment after its port opens: the state query goes out once more than
// StateQueryDelayMs have passed, and again every StateQueryRepeatMs while it is unanswered.
constexpr int StateQueryDelayMs = 100;
constexpr int StateQueryRepeatMs = 2000;
QString typeName(int type, const QString &name);
QString networkId(int id);
QString syncRestart(bool allowed);
// hour: two digits "00" to "23", or "25" for no automatic clearing.
QString autoClear(const QString &hour);
QString unitLanguage(int languageCode);
QString timeSync(const QDateTime &localTime);
QString factoryReset();
QString pairReadAll();
QString pairAdd(const QString &type);
QString pairDelete(const QString &type);
QString upgradeStart();
QString packageOver();
} // namespace Commands
