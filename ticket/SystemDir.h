#pragma once

class QString;

// Where the program's own small files live.
// Portable (and Windows): the "System" folder beside the executable, read and written in place,
// whenever that folder exists and the user may write to it.
// Installed: the shipped files under <prefix>/share/tqmanage/System (found from the executable, so a
// moved tree still works), read-only; the files the program writes (Language.ini,
// Printf_default.ini) go to the user's own configuration folder, and a file the user has not
// written yet is read from the shipped folder.
// A folder chosen at start (--system-dir) is used for everything.
namespace SystemDir {
enum class Layout { Portable, Installed, Chosen };

Layout layout();
QString shippedDirectory();
QString userDirectory();
// A shipped file: guides, path files, update log.
QString shippedPath(const QString &fileName);
// Where the program writes a file of its own.
QString userPath(const QString &fileName);
// A file the program may have written: the user's copy when there is one, else the shipped one.
QString readPath(const QString &fileName);
void setOverride(const QString &dir);
// The layout and both folders, for the log at start.
QString describe();
} // namespace SystemDir
