#pragma once

#include <QString>
#include <optional>

// The unit's state reply: more than 10 characters, first "+" field exactly "ATSW".
// Gives the firmware version (the second field, as received).
std::optional<QString> stateReplyVersion(const QString &text);

namespace StateReply {
// How much of a version is shown (a label, a table cell) and kept (a tooltip, a JSON report): a
// unit may send any length, which no label holds.
constexpr int VersionShownMax = 32;
constexpr int VersionKeptMax = 256;
// The text itself, or its first max - 1 characters and an ellipsis.
QString elided(const QString &version, int max, const QString &ellipsis = QStringLiteral("\u2026"));
} // namespace StateReply
