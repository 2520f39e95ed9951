#pragma once

#include <QString>

// The name a unit is known by in the record, for its history, the inventory and --resume: the
// unit reports no serial number. A network address counts without its query (the CA, certificate
// and key files belong to this computer, not to the unit); a local port by its stable
// /dev/serial/by-id name where the system gives one, else as given. A unit found by discovery is
// keyed by its announced name instead, which its caller passes to the record itself.
namespace UnitKey {
QString ofAddress(const QString &address, const QString &byIdDir = QStringLiteral("/dev/serial/by-id"));
} // namespace UnitKey
