#include "ReplyFramer.h"

QList<QByteArray> ReplyFramer::feed(const QByteArray &bytes)
{
    Rest += bytes;
    QList<QByteArray> replies;
    int from = 0;
    for (int end = Rest.indexOf('\n'); end >= 0; end = Rest.indexOf('\n', from)) {
        replies << Rest.mid(from, end + 1 - from);
        from = end + 1;
    }
    Rest.remove(0, from);
    if (Rest.size() >= RestLimit)
        replies << takeRest();
    return replies;
}

QByteArray ReplyFramer::takeRest()
{
    QByteArray out;
    out.swap(Rest);
    return out;
}

QList<QByteArray> ReplyFramer::split(const QByteArray &burst)
{
    ReplyFramer framer;
    QList<QByteArray> replies = framer.feed(burst);
    if (framer.hasRest() || replies.isEmpty())
        replies << framer.takeRest();
    return replies;
}
