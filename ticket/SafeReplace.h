#pragma once

#include <QByteArray>
#include <QString>

struct SaveTarget;

// Replacing a settings file on a POSIX system without ever following a link again: the folder is
// opened once, the new file is made in it beside the old one and renamed over it, all by the
// folder's descriptor. The new file keeps the old one's owner and group where the process may set
// them, and its read bits; a file with more than one name is written in place, so every name sees
// the new content. Elsewhere (available() false) the portable path of SettingsFile saves.
namespace SafeReplace {
bool available();
// True when the file holds content and is read-only; else false with the reason in error, the old
// file keeping its bytes and its mode.
bool replace(const SaveTarget &target, const QByteArray &content, QString *error);
} // namespace SafeReplace
