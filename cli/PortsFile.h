#pragma once

#include <QList>
#include <QString>

// The units a run names: --port values and the lines of --ports-from lists, each with where it
// came from, so that a unit named twice is refused naming both places.
namespace PortsFile {
struct Entry {
    QString address;
    QString origin; // "--port", or "FILE line N"
    QString name;   // a unit found on the network: its announced name (a saved `ports --discover` row)
};

// One address a line: the first tab-separated field, so that a saved `ports` or `ports --discover`
// list is taken as it is (its header line, whose first field is PORT, is skipped); blank lines
// and # comments are skipped. "-" reads standard input. A regular file of at most MaxBytes. A
// server address in a `ports --discover` list keeps the announced name of its NAME column.
bool read(const QString &path, QList<Entry> *entries, QString *error);
// Two entries that are one unit (the same address, a device and a link to it, one server with
// other certificate files): the usage error naming both, or empty.
QString duplicate(const QList<Entry> &entries);

constexpr qint64 MaxBytes = 1024 * 1024;
} // namespace PortsFile
