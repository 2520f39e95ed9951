#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// A file that several programs append lines to: each line goes in one write() on a file opened
// for appending, so the lines of two programs never mix and a crash cuts at most the line being
// written; a line that finds such a cut line before it starts on a line of its own. sync() puts
// what was written on the disk.
class AppendFile
{
public:
    explicit AppendFile(const QString &path);
    ~AppendFile();
    AppendFile(const AppendFile &) = delete;
    AppendFile &operator=(const AppendFile &) = delete;

    // Creates the file (and its folder) when needed; only a regular file is taken.
    bool open(QString *error);
    // line ends with '\n'; false with the system's reason.
    bool appendLine(const QByteArray &line, QString *error);
    bool sync(QString *error);
    void close();

private:
    struct Handle;
    QString Path;
    std::unique_ptr<Handle> File;
};
