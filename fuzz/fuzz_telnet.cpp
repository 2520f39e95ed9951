// Bytes from a serial device server, through the telnet/Com Port Control codec as client and as
// server, whole and in two pieces: never more data than came in, the same data however it is cut,
// answers and notes bounded, and escaped serial data always comes back as it was. Also the address
// parser.
#include "FuzzSupport.h"
#include "serial/PortAddress.h"
#include "serial/ReplyFramer.h"
#include "serial/TelnetCodec.h"

TQ_FUZZ_TARGET(telnet)
{
    const QByteArray in(reinterpret_cast<const char *>(data), int(size));
    const QString hex = QString::fromLatin1(in.toHex());
    for (const auto role : {TelnetCodec::Role::Client, TelnetCodec::Role::Server}) {
        TelnetCodec whole(true, role), cut(true, role);
        whole.start();
        cut.start();
        const QByteArray a = whole.decode(in);
        QByteArray b = cut.decode(in.left(in.size() / 2));
        b += cut.decode(in.mid(in.size() / 2));
        FUZZ_CHECK(a == b && a.size() <= in.size(), hex);
        FUZZ_CHECK(whole.takeReplies().size() <= 64 + 3 * in.size(), hex);
        FUZZ_CHECK(whole.takeNotes().size() <= TelnetCodec::MaxNotes + 1, hex); // what a flood costs is bounded
        // After any stream the codec is back in data once the next escaped block arrives whole.
        const QByteArray tail = TelnetCodec::encode(in);
        TelnetCodec fresh(true, role);
        FUZZ_CHECK(fresh.decode(tail) == in, hex);
    }
    ReplyFramer framer;
    QByteArray joined;
    for (const QByteArray &reply : framer.feed(in)) {
        FUZZ_CHECK(reply.endsWith('\n') && reply.count('\n') == 1, hex);
        joined += reply;
    }
    FUZZ_CHECK(joined + framer.takeRest() == in, hex);
    const PortAddress address = PortAddress::parse(Fuzz::text(data, size));
    FUZZ_CHECK(!address.isValid() || !address.isNetwork() || (address.port > 0 && !address.host.isEmpty()), hex);
    return 0;
}
