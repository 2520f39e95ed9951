// The preview of a page: one line record per input line, up to ten.
#include "FuzzSupport.h"
#include "ticket/LineRecord.h"
#include "ticket/PreviewRenderer.h"

#include <QStringList>

TQ_FUZZ_TARGET(preview)
{
    const QString input = Fuzz::text(data, size);
    const QStringList lines = input.split(QLatin1Char('\n'));
    QString page[LineRecord::SlotCount];
    bool valid = true;
    int defined = 0;
    for (int i = 0; i < LineRecord::SlotCount && i < lines.size(); ++i) {
        page[i] = lines.at(i);
        defined += !page[i].isEmpty();
        valid = valid && (page[i].isEmpty() || LineRecord::check(page[i]).isEmpty());
    }
    const PreviewRenderer::Result result = PreviewRenderer::render(page);
    // Either the first faulty record's code and nothing shown, or one paragraph per defined line.
    FUZZ_CHECK(result.errorCode.isEmpty() == valid, input);
    FUZZ_CHECK(valid ? result.html.count(QStringLiteral("<p align=")) == defined : result.html.isEmpty(), input);
    return 0;
}
