#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

// One action on one unit, as the record keeps it: when, by whom, to which unit, what was sent
// (as SHA-256 hashes), how far it got and how it ended. One JSON object a line in the record file.
struct UnitRecord {
    QDateTime time; // UTC, when the action ended
    QString host;
    QString user;
    QString program;
    QString version;
    QString unit;     // the unit's key (see UnitKey)
    QString firmware; // as the unit reported it
    QString action;   // ticket, names, params, clock, reset, pairing, upgrade
    QString commandsSha256; // of the bytes written to the unit for this action, in order
    QString settingsFile;   // the settings file the commands came from, unchanged since it was read
    QString settingsSha256;
    qint64 imageSize = -1; // an upgrade's image
    QString imageSha256;
    int acknowledged = -1; // commands the unit acknowledged, of commands
    int commands = -1;
    int packages = -1; // firmware packages sent, of packageTotal
    int packageTotal = -1;
    QString result; // "ok", "failed" or "interrupted"
    QString reason;

    static constexpr int MaxTextLength = 256; // a unit's or address's text beyond this is cut

    // The JSON object, compact, and a line feed: the line the record gets.
    QByteArray toLine() const;
    QJsonObject toJson() const;
    // A record from one line of the file; nothing when the line is no record (cut, or garbage).
    static std::optional<UnitRecord> fromLine(const QByteArray &line);

    // The record as a table row, for CSV: the header names and the fields in the same order.
    static QStringList fieldNames();
    QStringList fields() const;
    // "10/10" or "51/51 packages", or empty.
    QString progressText() const;
};
