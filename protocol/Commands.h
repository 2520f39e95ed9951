#pragma once

#include <QString>
#include <QStringList>

class QDateTime;

// Every command the tool sends to the unit, built from its arguments. Nothing is added around a
// command: no terminator except on the two bootloader texts.
namespace Commands {
QString stateQuery();
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

// The hour text of the clearing box: "25" for index 0 (disabled), else the hour of "HH:00".
QString clearingHourFromItem(int index, const QString &itemText);

// The type-name batch: one command per name with GBK bytes, in type order, without gaps.
QStringList typeNameBatch(const QStringList &names);

// The four system-parameter commands.
QStringList systemParameterBatch(const QString &networkIdText, int syncRestartIndex, int autoClearIndex,
                                 const QString &autoClearText, int languageCode);
} // namespace Commands
