#pragma once

#include <QByteArray>
#include <QList>

// Cuts what a network link delivers into the unit's replies. Over a network a reply may come in
// pieces far apart (the server reads the line in several reads, the WAN delays them) and two replies
// may come in one piece, so a quiet gap does not frame them: every reply of the unit ends with a line
// break, which does. Bytes without one wait for more, or until the link has been quiet for
// QuietMs, and then go up as they are.
class ReplyFramer
{
public:
    // The complete replies in bytes (with what came before); a rest without line break is kept.
    QList<QByteArray> feed(const QByteArray &bytes);
    bool hasRest() const { return !Rest.isEmpty(); }
    QByteArray takeRest();
    void clear() { Rest.clear(); }
    // One whole burst as the replies it holds, in order, and what follows the last line break;
    // a burst without a line break stays whole.
    static QList<QByteArray> split(const QByteArray &burst);

    // Longer than the 100 ms a reply's pieces may lie apart, with room for a loaded PC.
    static constexpr int QuietMs = 250;
    // A peer that never sends a line break must not grow memory without bound.
    static constexpr int RestLimit = 64 * 1024;

private:
    QByteArray Rest;
};
