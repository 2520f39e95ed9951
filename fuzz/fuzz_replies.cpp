// The unit's replies as the device page and the pairing window read them.
#include "FuzzSupport.h"
#include "protocol/PairingReply.h"
#include "protocol/StateReply.h"

#include <QStringList>

TQ_FUZZ_TARGET(replies)
{
    const QString text = Fuzz::text(data, size);
    if (const auto version = stateReplyVersion(text)) {
        FUZZ_CHECK(text.size() > 10 && text.startsWith(QLatin1String("ATSW+")), text);
        FUZZ_CHECK(*version == text.section(QLatin1Char('+'), 1, 1), text);
    }
    const PairingReply reply = PairingReply::parse(text);
    QString body = text;
    if (body.endsWith(QLatin1String("\r\n")))
        body.chop(2);
    FUZZ_CHECK(reply.fromUnit == (body.section(QLatin1Char('+'), 0, 0) == QLatin1String("ATAW")), text);
    int lines = 0;
    for (const auto &line : reply.typeLines)
        lines += line.has_value();
    FUZZ_CHECK(reply.fromUnit || (lines == 0 && !reply.status && !reply.advance), text);
    FUZZ_CHECK(!reply.advance || reply.status, text);
    return 0;
}
