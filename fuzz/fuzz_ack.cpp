// Acknowledgement matching: a text acknowledges a batch exactly when it is one of the kind's replies.
#include "FuzzSupport.h"
#include "protocol/BatchKind.h"

#include <QStringList>

TQ_FUZZ_TARGET(ack)
{
    const QString text = Fuzz::text(data, size);
    const struct {
        const char *kind;
        const char *verb;
        QStringList codes;
    } kinds[] = {{"Print_Write_Push", "ATPW", {"7"}},
                 {"TYPE_PB_SET", "ATLW", {"0", "1", "2", "3", "4", "5"}},
                 {"PB_ID_sned", "ATNW", {"0", "1", "2", "3"}},
                 {"PB_Time_syn_sned", "ATTW", {"43"}},
                 {"PB_Rec_sned", "ATRW", {"51"}}};
    for (const auto &k : kinds) {
        bool expected = false;
        for (const QString &code : k.codes)
            expected = expected || text == QLatin1String(k.verb) + QLatin1Char('+') + code + QStringLiteral("+OK!\r\n");
        FUZZ_CHECK(BatchKind::byName(QLatin1String(k.kind))->acknowledges(text) == expected, text);
    }
    return 0;
}
