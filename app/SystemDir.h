#pragma once

class QString;

// Where the program's own small files live: "System" beside the executable, or one folder
// chosen at start (--system-dir) for tests and portable set-ups.
namespace SystemDir {
QString filePath(const QString &fileName);
QString directory();
void setOverride(const QString &dir);
} // namespace SystemDir
