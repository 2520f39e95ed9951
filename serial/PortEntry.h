#pragma once

#include <QString>

// A port box entry is the manufacturer immediately followed by the system location.
QString portEntry(const QString &manufacturer, const QString &systemLocation);

// The name to open for an entry. Windows locations start with a backslash and are taken from it;
// device paths elsewhere have none, so the location kept beside the entry is used instead, as it
// is for a unit found on the network.
QString portNameFromEntry(const QString &entry, const QString &systemLocation);
