// The field-text rule: no "+" and no more GBK bytes than the limit ever leave it.
#include "FuzzSupport.h"
#include "protocol/FieldText.h"
#include "ticket/Gbk.h"

TQ_FUZZ_TARGET(fieldtext)
{
    if (size < 1)
        return 0;
    const int limit = data[0] % 140;
    const QString typed = Fuzz::text(data + 1, size - 1);
    const FieldText cleaned = FieldText::clean(typed, limit);
    FUZZ_CHECK(!cleaned.text.contains(QLatin1Char('+')), typed);
    FUZZ_CHECK(cleaned.removedPlus == typed.count(QLatin1Char('+')), typed);
    // Counted as the bytes it becomes inside a command, where a lone surrogate turns into "?".
    FUZZ_CHECK(Gbk::encode(cleaned.text + QStringLiteral("+OK")).size() - 3 <= limit, typed);
    FUZZ_CHECK(QString(typed).remove(QLatin1Char('+')).startsWith(cleaned.text), typed);
    return 0;
}
