#pragma once

#include <QString>

// What an action writes into the unit. For a command batch the kind chooses how many entries are
// examined, the log's first line and the acknowledgement that lets the next command go. Pairing is
// no batch: the pairing window sends one command per press and reads the unit's report itself, so
// a batch of that kind examines nothing and sends nothing; the kind names its record.
enum class BatchKind { Ticket, Names, Params, Clock, Reset, Pairing };

namespace BatchKinds {
constexpr BatchKind All[] = {BatchKind::Ticket, BatchKind::Names, BatchKind::Params,
                             BatchKind::Clock,  BatchKind::Reset, BatchKind::Pairing};

// How many of a batch's entries are examined for commands.
int examined(BatchKind kind);
// Whether the whole delivered text is this kind's acknowledgement.
bool acknowledges(BatchKind kind, const QString &text);
// The log's first line, translated, with its line break.
QString headerLine(BatchKind kind);
// Its name in the record and the command line's report: ticket, names, params, clock, reset, pairing.
QString name(BatchKind kind);
// Whether its commands come from a settings file's content (ticket, names, params).
bool fromSettings(BatchKind kind);
} // namespace BatchKinds
