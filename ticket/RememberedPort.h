#pragma once

class QString;

// The device path the operator last typed into the port box and connected to, kept in Ports.ini
// among the program's own files for the next start.
namespace RememberedPort {
QString load();
void save(const QString &path);
} // namespace RememberedPort
