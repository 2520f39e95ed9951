#pragma once

#include <QString>
#include <optional>

// The unit's state reply: more than 10 characters, first "+" field exactly "ATSW".
// Gives the firmware version (the second field, as received).
std::optional<QString> stateReplyVersion(const QString &text);
