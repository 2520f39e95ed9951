#pragma once

#include <QString>
#include <array>
#include <optional>

// What one received text means to the pairing window. Only the first four "+" fields are read;
// a missing field counts as empty.
struct PairingReply {
    enum class Picture { Unchanged, Paired, AlreadyPaired };

    bool fromUnit = false; // first field exactly "ATAW"
    std::optional<QString> status;
    std::array<std::optional<QString>, 5> typeLines; // index 0 is type 1
    Picture picture = Picture::Unchanged;
    bool advance = false; // move to the next type when auto-advance is on

    static PairingReply parse(const QString &text);
    // A type field "1" to "5" as 1 to 5, else 0.
    static int typeNumber(const QString &field);
};
