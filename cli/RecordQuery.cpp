#include "RecordQuery.h"

#include "Csv.h"
#include "Report.h"
#include "serial/UnitKey.h"
#include "ticket/RecordReader.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

namespace {
void put(std::FILE *out, const QString &text)
{
    std::fputs(text.toUtf8().constData(), out);
}

QString json(const QJsonValue &value)
{
    const QJsonDocument doc = value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    return QString::fromUtf8(doc.toJson(QJsonDocument::Compact));
}

QString when(const QDateTime &time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODate) : QString();
}

QString precise(const QDateTime &time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QString shortHash(const QString &sha)
{
    return sha.left(12);
}

QString resultText(const UnitRecord &r)
{
    return r.reason.isEmpty() ? r.result : r.result + QStringLiteral(": ") + r.reason;
}

// A missing record reads as empty, with a note; one that cannot be read is an error.
bool openRecord(RecordReader &reader, const QString &path, std::FILE *err, bool *missing)
{
    QString error;
    *missing = !QFileInfo::exists(path);
    if (reader.open(&error))
        return true;
    std::fprintf(err, "tqmanage-cli: %s\n", error.toUtf8().constData());
    return *missing;
}

QJsonArray warnings(const RecordReader &reader, std::FILE *err)
{
    QJsonArray list;
    for (const QString &w : reader.warnings()) {
        std::fprintf(err, "tqmanage-cli: warning: %s\n", w.toUtf8().constData());
        list.append(w);
    }
    return list;
}

struct InventoryRow {
    QString unit;
    QString firmware;
    QDateTime firmwareTime;
    QString settingsFile;
    QString settingsSha256;
    QDateTime settingsTime;
    QDateTime upgradeTime;
    QString upgradeImageSha256;
    qint64 upgradeImageSize = -1;
    QString upgradeResult;
    UnitRecord last;

    void add(const UnitRecord &r)
    {
        if (!r.firmware.isEmpty() && !(r.time < firmwareTime)) {
            firmware = r.firmware;
            firmwareTime = r.time;
        }
        if (!r.settingsFile.isEmpty() && r.result == QLatin1String("ok") && !(r.time < settingsTime)) {
            settingsFile = r.settingsFile;
            settingsSha256 = r.settingsSha256;
            settingsTime = r.time;
        }
        if (r.action == QLatin1String("upgrade") && !(r.time < upgradeTime)) {
            upgradeTime = r.time;
            upgradeImageSha256 = r.imageSha256;
            upgradeImageSize = r.imageSize;
            upgradeResult = r.result;
        }
        if (!(r.time < last.time))
            last = r;
    }

    static QStringList names()
    {
        return {QStringLiteral("unit"),          QStringLiteral("firmware"),          QStringLiteral("settingsFile"),
                QStringLiteral("settingsSha256"), QStringLiteral("settingsApplied"),  QStringLiteral("lastUpgrade"),
                QStringLiteral("upgradeImageSha256"), QStringLiteral("upgradeImageSize"), QStringLiteral("upgradeResult"),
                QStringLiteral("lastAction"),    QStringLiteral("lastResult"),        QStringLiteral("lastReason"),
                QStringLiteral("lastTime")};
    }

    QStringList fields() const
    {
        return {unit, firmware, settingsFile, settingsSha256, precise(settingsTime), precise(upgradeTime),
                upgradeImageSha256, upgradeImageSize < 0 ? QString() : QString::number(upgradeImageSize), upgradeResult,
                last.action, last.result, last.reason, precise(last.time)};
    }

    QString tableRow() const
    {
        const QString settings = settingsFile.isEmpty() ? QStringLiteral("-")
                                                        : QStringLiteral("%1 (%2)").arg(settingsFile, shortHash(settingsSha256));
        const QString upgrade = upgradeTime.isValid() ? QStringLiteral("%1 %2 (%3, %4 bytes)")
                                                            .arg(when(upgradeTime), upgradeResult, shortHash(upgradeImageSha256))
                                                            .arg(upgradeImageSize)
                                                      : QStringLiteral("-");
        const QStringList cells{unit, firmware.isEmpty() ? QStringLiteral("-") : firmware, settings, upgrade,
                                last.action + QLatin1Char(' ') + resultText(last), when(last.time)};
        QStringList escaped;
        for (const QString &cell : cells)
            escaped << Report::escaped(cell);
        return escaped.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
};
} // namespace

int RecordQuery::history(const QString &path, const Filter &filter, Format format, std::FILE *out, std::FILE *err)
{
    RecordReader reader(path);
    bool missing = false;
    if (!openRecord(reader, path, err, &missing))
        return 1;
    QStringList keys;
    for (const QString &unit : filter.units)
        keys << unit << UnitKey::ofAddress(unit);
    if (format == Format::Table)
        put(out, QStringLiteral("TIME\tUNIT\tACTION\tFIRMWARE\tPROGRESS\tRESULT\n"));
    if (format == Format::Csv)
        put(out, Csv::row(UnitRecord::fieldNames()));
    if (format == Format::Json) // written as it is read: the record may be long
        put(out, QStringLiteral("{\"record\":%1,\"actions\":[").arg(json(QJsonArray{path}).mid(1).chopped(1)));
    bool first = true;
    while (const std::optional<UnitRecord> r = reader.next()) {
        if ((!keys.isEmpty() && !keys.contains(r->unit)) || (filter.since.isValid() && r->time < filter.since))
            continue;
        if (format == Format::Json) {
            put(out, (first ? QStringLiteral("\n") : QStringLiteral(",\n")) + json(r->toJson()));
        } else if (format == Format::Csv) {
            put(out, Csv::row(r->fields()));
        } else {
            QStringList cells{when(r->time), r->unit, r->action, r->firmware, r->progressText(), resultText(*r)};
            for (QString &cell : cells)
                cell = Report::escaped(cell);
            put(out, cells.join(QLatin1Char('\t')) + QLatin1Char('\n'));
        }
        first = false;
    }
    const QJsonArray skipped = warnings(reader, err);
    if (format == Format::Json)
        put(out, QStringLiteral("\n],\"warnings\":%1}\n").arg(json(skipped)));
    return 0;
}

int RecordQuery::inventory(const QString &path, Format format, std::FILE *out, std::FILE *err)
{
    RecordReader reader(path);
    bool missing = false;
    if (!openRecord(reader, path, err, &missing))
        return 1;
    QMap<QString, InventoryRow> units; // one row per unit: as many as the fleet has
    while (const std::optional<UnitRecord> r = reader.next()) {
        InventoryRow &row = units[r->unit];
        row.unit = r->unit;
        row.add(*r);
    }
    const QJsonArray skipped = warnings(reader, err);
    if (format == Format::Json) {
        QJsonArray list;
        const QStringList names = InventoryRow::names();
        for (const InventoryRow &row : qAsConst(units)) {
            QJsonObject o;
            const QStringList fields = row.fields();
            for (int i = 0; i < names.size(); ++i)
                o.insert(names.at(i), fields.at(i));
            list.append(o);
        }
        const QJsonObject doc{{QStringLiteral("record"), path}, {QStringLiteral("units"), list}, {QStringLiteral("warnings"), skipped}};
        put(out, QString::fromUtf8(QJsonDocument(doc).toJson(QJsonDocument::Indented)));
        return 0;
    }
    put(out, format == Format::Csv ? Csv::row(InventoryRow::names())
                                   : QStringLiteral("UNIT\tFIRMWARE\tSETTINGS\tLAST UPGRADE\tLAST RESULT\tWHEN\n"));
    for (const InventoryRow &row : qAsConst(units))
        put(out, format == Format::Csv ? Csv::row(row.fields()) : row.tableRow());
    return 0;
}

QHash<QString, QDateTime> RecordQuery::upgradedWith(const QString &path, const QString &imageSha256, QStringList *warnings)
{
    // The last attempt counts: one with another image, even a failed one, may have overwritten it.
    QHash<QString, UnitRecord> last;
    RecordReader reader(path);
    QString error;
    if (!reader.open(&error)) {
        *warnings << error;
        return {};
    }
    while (const std::optional<UnitRecord> r = reader.next())
        if (r->action == QLatin1String("upgrade") && !(r->time < last.value(r->unit).time))
            last.insert(r->unit, *r);
    *warnings << reader.warnings();
    QHash<QString, QDateTime> done;
    for (const UnitRecord &r : qAsConst(last))
        if (r.result == QLatin1String("ok") && r.imageSha256 == imageSha256)
            done.insert(r.unit, r.time);
    return done;
}
