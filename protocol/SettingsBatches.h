#pragma once

#include "ticket/SettingsCodec.h"

#include <QStringList>

// The command batches that write a settings file's content into the unit. The device page builds
// them from its controls, the command line from a file: the same commands either way.
namespace SettingsBatches {
// Ten ATPW commands, one per slot.
QStringList ticket(const SettingsCodec::Settings &settings);
// One ATLW command per name with GBK bytes, in type order; names are held to what the type-name
// rule lets through (no "+", 8 GBK bytes).
QStringList typeNames(const SettingsCodec::Settings &settings);
// The four ATNW commands: network ID, synchronised restart, clearing hour, the unit's language.
QStringList parameters(const SettingsCodec::Settings &settings, int languageCode);
constexpr int ParameterCommands = 4;
// The clearing hour of the box's index: "25" for the first item (disabled), else "00" to "23".
QString clearingHour(int autoClearIndex);

constexpr int TypeNameMaxBytes = 8;
} // namespace SettingsBatches
