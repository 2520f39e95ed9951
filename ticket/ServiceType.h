#pragma once

// The unit's service types: numbered 1 to Count on the wire, each with a name, a pairing and a
// ticket type line.
namespace ServiceType {
constexpr int Count = 5;
} // namespace ServiceType
