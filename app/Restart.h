#pragma once

struct Desktop;
struct StartOptions;

// Ends this instance and starts the program again with the options it needs to find the same
// System folder, ports and simulated unit.
namespace Restart {
void now(const Desktop &desktop, const StartOptions &options);
}
