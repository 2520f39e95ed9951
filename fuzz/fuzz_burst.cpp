// Received bursts and GBK counting: a burst cut into replies loses and moves no byte, a delivered
// text holds no zero, and a prefix cut to a number of bytes fits them, keeps surrogate pairs whole
// and is the longest that fits.
#include "FuzzSupport.h"
#include "serial/BurstDecoder.h"
#include "serial/ReplyFramer.h"
#include "ticket/Gbk.h"

namespace {
void checkPrefixes(const QString &text)
{
    // A text has as many bytes alone as inside a command.
    FUZZ_CHECK(Gbk::length(text) == Gbk::encode(text + QLatin1Char('+')).size() - 1, text);
    for (const int limit : {0, 1, 2, 8, 11, 16, 32, 128}) {
        const int n = Gbk::prefixWithin(text, limit);
        FUZZ_CHECK(n >= 0 && n <= text.size() && Gbk::length(text.left(n)) <= limit, text);
        FUZZ_CHECK(n == 0 || n == text.size() || !(text.at(n - 1).isHighSurrogate() && text.at(n).isLowSurrogate()), text);
        if (n < text.size()) {
            const int step = text.at(n).isHighSurrogate() && n + 1 < text.size() && text.at(n + 1).isLowSurrogate() ? 2 : 1;
            FUZZ_CHECK(Gbk::length(text.left(n + step)) > limit, text);
        }
    }
}
} // namespace

TQ_FUZZ_TARGET(burst)
{
    const QByteArray burst(reinterpret_cast<const char *>(data), int(size));
    const QList<QByteArray> replies = ReplyFramer::split(burst);
    FUZZ_CHECK(!replies.isEmpty() && replies.join() == burst, QString::fromLatin1(burst.toHex()));
    for (int i = 0; i + 1 < replies.size(); ++i)
        FUZZ_CHECK(replies.at(i).endsWith('\n') && replies.at(i).count('\n') == 1, QString::fromLatin1(burst.toHex()));
    const QString delivered = decodeBurst(burst);
    FUZZ_CHECK(!delivered.contains(QChar(0)), delivered);
    checkPrefixes(delivered);
    checkPrefixes(Fuzz::text(data, size));
    return 0;
}
