#pragma once

#include <QFile>
#include <QString>

class QByteArray;
class QJsonObject;

// One JSON object a line: time, direction, hex bytes, text. Flushed at once so tests can read it.
class Journal
{
public:
    bool open(const QString &path);
    // unit: the unit's number in a simulated fleet, -1 for a unit alone.
    void record(const char *direction, const QByteArray &bytes, int unit = -1);
    void note(const QString &text, int unit = -1);

private:
    void write(QJsonObject entry, int unit);
    QFile File;
};
