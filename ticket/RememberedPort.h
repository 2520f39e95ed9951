#pragma once

class QString;

// The device path the operator last typed into the port box and connected to, kept in Ports.ini
// among the program's own files for the next start, and the CA file of the last TLS address typed.
namespace RememberedPort {
QString load();
void save(const QString &path);
// The ca= of the last TLS address typed (empty: the system's store), for units found on the network.
QString loadTlsCa();
void saveTlsCa(const QString &caFile);
} // namespace RememberedPort
