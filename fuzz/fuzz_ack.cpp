// Acknowledgement matching: a text acknowledges a batch exactly when it is one of the kind's replies.
#include "FuzzSupport.h"
#include "protocol/BatchKind.h"

#include <QStringList>

TQ_FUZZ_TARGET(ack)
{
    const QString text = Fuzz::text(data, size);
    const struct {
        BatchKind kind;
        const char *verb;
        QStringList codes;
    } kinds[] = {{BatchKind::Ticket, "ATPW", {"7"}},
                 {BatchKind::Names, "ATLW", {"0", "1", "2", "3", "4", "5"}},
                 {BatchKind::Params, "ATNW", {"0", "1", "2", "3"}},
                 {BatchKind::Clock, "ATTW", {"43"}},
                 {BatchKind::Reset, "ATRW", {"51"}}};
    FUZZ_CHECK(!BatchKinds::acknowledges(BatchKind::Pairing, text), text);
    for (const auto &k : kinds) {
        bool expected = false;
        for (const QString &code : k.codes)
            expected = expected || text == QLatin1String(k.verb) + QLatin1Char('+') + code + QStringLiteral("+OK!\r\n");
        FUZZ_CHECK(BatchKinds::acknowledges(k.kind, text) == expected, text);
    }
    return 0;
}
