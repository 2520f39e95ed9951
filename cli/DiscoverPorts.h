#pragma once

#include <QString>

// tqmanage-cli ports --discover: the local serial ports, then the units that announce themselves
// on the local network, one line each, PORT first (what --port takes).
namespace DiscoverPorts {
struct Options {
    bool json = false;
    bool all = false;       // every serial service, not only management units
    int waitMs = 5000;      // at most this long, unless waitGiven
    bool waitGiven = false; // browse the whole time: slow networks, units still starting
    QString caFile;         // for TLS units: the CA their certificates must come from
};

// Prints the list; the exit status (1 when nothing could be discovered: no daemon, no bus).
int run(const Options &options);
} // namespace DiscoverPorts
