#pragma once

#include "UnitRecord.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <optional>

// Reads the record back one action at a time, whatever the file holds: a line that is no record
// (cut short by a program stopped while writing it, or damaged) is skipped and said, never stops
// the reading, and memory stays bounded however long the file or a line is.
class RecordReader
{
public:
    explicit RecordReader(const QString &path);

    // False with the reason when the file cannot be read (a missing one says "no record yet").
    bool open(QString *error);
    std::optional<UnitRecord> next();
    // What was skipped, once the reading is over.
    QStringList warnings() const;

    static constexpr int MaxLineBytes = 64 * 1024;
    static constexpr int NamedLines = 10; // skipped lines named one by one; the rest are counted

private:
    void skipped(const QString &why);

    QFile File;
    qint64 Line_Number = 0;
    QStringList Warnings;
    int Unnamed = 0;
};
