#include "RecordReader.h"

#include <QFileInfo>

RecordReader::RecordReader(const QString &path)
    : File(path)
{
}

bool RecordReader::open(QString *error)
{
    const QFileInfo info(File.fileName());
    if (!info.exists()) {
        *error = QStringLiteral("%1: no record yet (nothing has been recorded there)").arg(File.fileName());
        return false;
    }
    // A FIFO or a device would block the reader or never end.
    if (!info.isFile()) {
        *error = QStringLiteral("%1: not a regular file").arg(File.fileName());
        return false;
    }
    if (!File.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(File.fileName(), File.errorString());
        return false;
    }
    return true;
}

void RecordReader::skipped(const QString &why)
{
    if (Warnings.size() < NamedLines)
        Warnings << QStringLiteral("%1: line %2 %3: skipped").arg(File.fileName()).arg(Line_Number).arg(why);
    else
        ++Unnamed;
}

QStringList RecordReader::warnings() const
{
    QStringList all = Warnings;
    if (Unnamed > 0)
        all << QStringLiteral("%1: %2 more lines skipped").arg(File.fileName()).arg(Unnamed);
    return all;
}

std::optional<UnitRecord> RecordReader::next()
{
    while (File.isOpen() && !File.atEnd()) {
        QByteArray line = File.readLine(MaxLineBytes + 1);
        ++Line_Number;
        if (!line.endsWith('\n')) {
            if (File.atEnd()) {
                skipped(QStringLiteral("(the last) is cut short, as a program stopped while writing it leaves it"));
                return std::nullopt;
            }
            // Longer than any record: the rest of it goes unread.
            while (!File.atEnd() && !File.readLine(MaxLineBytes + 1).endsWith('\n')) {
            }
            skipped(QStringLiteral("is longer than %1 bytes").arg(MaxLineBytes));
            continue;
        }
        if (line.trimmed().isEmpty())
            continue;
        if (std::optional<UnitRecord> record = UnitRecord::fromLine(line))
            return record;
        skipped(QStringLiteral("is not a record"));
    }
    return std::nullopt;
}
