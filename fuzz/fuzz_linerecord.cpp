// Line records: the checker, the slot rule, the write command and the editor's read-back.
#include "FuzzSupport.h"
#include "ticket/LineRecord.h"
#include "ticket/PreviewRenderer.h"

#include <QStringList>

TQ_FUZZ_TARGET(linerecord)
{
    const QString record = Fuzz::text(data, size);
    const int slot = LineRecord::slotOf(record);
    FUZZ_CHECK(slot >= -1 && slot < LineRecord::SlotCount, record);
    if (!LineRecord::check(record).isEmpty())
        return 0;
    // A record the checker accepts has a slot, a preview and a command of the same seven fields.
    FUZZ_CHECK(slot >= 0, record);
    PreviewRenderer::paragraph(record);
    const QStringList f = record.split(QLatin1Char('+'));
    const QStringList c = LineRecord::writeCommand(record, slot).split(QLatin1Char('+'));
    FUZZ_CHECK(c.size() == 7 && c.at(0) == QLatin1String("ATPW") && c.at(6) == QLatin1String("OK"), record);
    FUZZ_CHECK(c == LineRecord::blankRecord(slot).split(QLatin1Char('+')) || (c.at(1) == f.at(1) && c.at(3) == f.at(3)), record);
    // Read into the editor and built again, a line the editor could have made is the same record.
    const LineRecord::Controls controls = LineRecord::read(record);
    const QString content = f.at(4);
    const QString crlf = QStringLiteral("\r\n");
    const bool editable = (f.at(2) == QLatin1String("N") || f.at(2) == QLatin1String("R")) && controls.blankLines <= 3
        && content == controls.text + crlf.repeated(controls.blankLines) && !controls.text.contains(QLatin1Char('\r'))
        && !controls.text.contains(QLatin1Char('\n'));
    if (editable)
        FUZZ_CHECK(LineRecord::build(controls, 0) == record, record);
    return 0;
}
