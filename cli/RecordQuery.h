#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdio>

// The verbs that read the record: history (the actions, filtered) and inventory (one row per
// unit: its last reported firmware, last settings file applied, last upgrade, last result).
// Skipped lines of the record are said on standard error and in the JSON.
namespace RecordQuery {
enum class Format { Table, Json, Csv };

struct Filter {
    QStringList units; // as given to --port; empty: every unit
    QDateTime since;   // invalid: from the start
};

// The exit status: 0 when the record was read (a missing one reads as empty), 1 when it cannot be.
int history(const QString &path, const Filter &filter, Format format, std::FILE *out, std::FILE *err);
int inventory(const QString &path, Format format, std::FILE *out, std::FILE *err);
// The units whose last upgrade in the record went through with the image of this SHA-256, with
// its time. What was skipped reading the record goes to warnings.
QHash<QString, QDateTime> upgradedWith(const QString &path, const QString &imageSha256, QStringList *warnings);
} // namespace RecordQuery
