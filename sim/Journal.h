#pragma once

#include <QFile>
#include <QString>

class QByteArray;

// One JSON object a line: time, direction, hex bytes, text. Flushed at once so tests can read it.
class Journal
{
public:
    bool open(const QString &path);
    void record(const char *direction, const QByteArray &bytes);
    void note(const QString &text);

private:
    void write(const QByteArray &line);
    QFile File;
};
