// The simulator's command handler fed with any bursts: it answers in bounded, well-formed replies
// and keeps only values the unit could hold.
#include "FuzzSupport.h"
#include "sim/SimUnit.h"

#include <QRegularExpression>

TQ_FUZZ_TARGET(simunit)
{
    SimUnit::Options options;
    options.bootloader = size > 0 && data[0] & 1;
    SimUnit unit(options);
    for (const QByteArray &burst : Fuzz::pieces(data, size)) {
        const QString text = QString::fromLatin1(burst.toHex());
        const QList<SimUnit::Reply> replies = unit.handle(burst);
        FUZZ_CHECK(replies.size() <= 10, text);
        for (const SimUnit::Reply &r : replies)
            FUZZ_CHECK(r.delayMs >= 0 && r.bytes.size() <= 64, text);
        const SimUnit::State &s = unit.state();
        FUZZ_CHECK(QRegularExpression(QStringLiteral("\\A(0|[1-9][0-9]?)\\z")).match(s.networkId).hasMatch(), text);
        FUZZ_CHECK(QRegularExpression(QStringLiteral("\\A([01][0-9]|2[0-3]|25)\\z")).match(s.clearingHour).hasMatch(), text);
        FUZZ_CHECK(unit.transfer().image.size() <= 65536 * 1024, text);
        unit.takeNotes();
    }
    return 0;
}
