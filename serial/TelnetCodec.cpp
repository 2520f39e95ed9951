#include "TelnetCodec.h"

namespace {
// The subnegotiation that sets one value: IAC SB COM-PORT-OPTION cmd value... IAC SE, value escaped.
QByteArray setting(unsigned char cmd, const QByteArray &value)
{
    QByteArray out;
    out += char(TelnetCodec::Iac);
    out += char(TelnetCodec::Sb);
    out += char(TelnetCodec::ComPort);
    out += char(cmd);
    out += TelnetCodec::encode(value);
    out += char(TelnetCodec::Iac);
    out += char(TelnetCodec::Se);
    return out;
}

QByteArray bigEndian(quint32 v)
{
    return QByteArray(1, char(v >> 24)) + char(v >> 16) + char(v >> 8) + char(v);
}

// What we ask for, and how the answer should read: 115200 baud, 8 bits, no parity, 1 stop bit,
// no flow control (RFC 2217 codes).
struct Wanted {
    unsigned char cmd;
    QByteArray value;
    const char *name;
};
const Wanted &wanted(int i)
{
    static const Wanted table[TelnetCodec::SettingCount] = {
        {TelnetCodec::SetBaud, bigEndian(115200), "baud rate 115200"},
        {TelnetCodec::SetDataSize, QByteArray(1, 8), "8 data bits"},
        {TelnetCodec::SetParity, QByteArray(1, 1), "no parity"},
        {TelnetCodec::SetStopSize, QByteArray(1, 1), "1 stop bit"},
        {TelnetCodec::SetControl, QByteArray(1, 1), "no flow control"},
    };
    return table[i];
}
} // namespace

TelnetCodec::TelnetCodec(bool comPortControl, Role role)
    : Com_Port(comPortControl)
    , My_Role(role)
{
}

QByteArray TelnetCodec::start()
{
    if (!Com_Port || My_Role == Role::Server)
        return {};
    // Binary both ways: the image holds every byte value, and no CR may be rewritten.
    send(Will, ComPort);
    send(Will, Binary);
    send(Do, Binary);
    send(Will, SuppressGoAhead);
    send(Do, SuppressGoAhead);
    Offered = true;
    return takeReplies();
}

QByteArray TelnetCodec::encode(const QByteArray &data)
{
    if (!data.contains(char(Iac)))
        return data;
    QByteArray out;
    out.reserve(data.size() + 16);
    for (const char c : data) {
        out += c;
        if (uchar(c) == Iac)
            out += c;
    }
    return out;
}

QByteArray TelnetCodec::decode(const QByteArray &bytes)
{
    QByteArray data;
    for (const char ch : bytes) {
        const auto c = uchar(ch);
        switch (Parse) {
        case State::Data:
            if (c == Iac)
                Parse = State::Iac;
            else
                data += ch;
            break;
        case State::Iac:
            Parse = State::Data;
            if (c == Iac) {
                data += ch;
            } else if (c >= Will && c <= Dont) {
                Verb_Byte = c;
                Parse = State::Verb;
            } else if (c == Sb) {
                Sub_Body.clear();
                Parse = State::Sub;
            } // other commands (NOP, GA, break...) carry nothing for the unit
            break;
        case State::Verb:
            command(Verb_Byte, c);
            Parse = State::Data;
            break;
        case State::Sub:
            if (c == Iac)
                Parse = State::SubIac;
            else if (Sub_Body.size() < 256) // a notification is a few bytes; a longer one is cut
                Sub_Body += ch;
            break;
        case State::SubIac:
            if (c == Se) {
                subnegotiation(Sub_Body);
                Parse = State::Data;
            } else {
                if (c == Iac && Sub_Body.size() < 256)
                    Sub_Body += ch;
                Parse = State::Sub;
            }
            break;
        }
    }
    return data;
}

void TelnetCodec::send(unsigned char verb, unsigned char option)
{
    Replies += char(Iac);
    Replies += char(verb);
    Replies += char(option);
}

void TelnetCodec::command(unsigned char verb, unsigned char option)
{
    const bool ours = option == Binary || option == SuppressGoAhead || (Com_Port && option == ComPort);
    if (option == ComPort && Com_Port && My_Role == Role::Server) {
        if (verb == Will && !Agreed[ComPort])
            send(Do, ComPort);
        Agreed[ComPort] = true;
        return;
    }
    if (option == ComPort && Com_Port) {
        if (verb == Do)
            sendSettings();
        else if ((verb == Dont || verb == Wont) && !Refused) {
            Refused = true;
            if (roomForNote())
                Notes << QStringLiteral("the server does not do Com Port Control; its line settings stay as they are");
        }
        return;
    }
    if (Offered && ours)
        return; // the server's answer to our own offer
    // Anything else is answered once: agreed for binary and go-ahead, refused otherwise.
    if (Agreed[option])
        return;
    Agreed[option] = true;
    if (verb == Will)
        send(ours ? Do : Dont, option);
    else if (verb == Do)
        send(ours ? Will : Wont, option);
}

void TelnetCodec::sendSettings()
{
    if (Settings_Sent)
        return;
    Settings_Sent = true;
    for (int i = 0; i < SettingCount; ++i)
        Replies += setting(wanted(i).cmd, wanted(i).value);
}

void TelnetCodec::subnegotiation(const QByteArray &body)
{
    if (body.size() < 2 || uchar(body.at(0)) != ComPort)
        return;
    const int cmd = uchar(body.at(1));
    const QByteArray value = body.mid(2);
    if (My_Role == Role::Server) { // a line we do not have: every setting is confirmed as asked
        if (cmd >= SetBaud && cmd <= SetControl)
            Replies += setting(uchar(cmd + 100), value);
        return;
    }
    for (int i = 0; i < SettingCount; ++i) {
        if (cmd != wanted(i).cmd + 100)
            continue;
        Answered |= 1u << i;
        if (value != wanted(i).value && roomForNote())
            Notes << QStringLiteral("the server did not set %1 (answered %2)")
                         .arg(QLatin1String(wanted(i).name), QLatin1String(value.toHex(' ')));
        return;
    }
    if (cmd == 106 || cmd == 107) // line and modem state notifications: the unit has no use for them
        return;
    if (roomForNote())
        Notes << QStringLiteral("ignored Com Port Control message %1").arg(cmd);
}

QByteArray TelnetCodec::takeReplies()
{
    QByteArray out;
    out.swap(Replies);
    return out;
}

bool TelnetCodec::roomForNote()
{
    if (Notes.size() < MaxNotes)
        return true;
    ++Notes_Dropped;
    return false;
}

QStringList TelnetCodec::takeNotes()
{
    if (Notes_Dropped > 0)
        Notes << QStringLiteral("%1 more server messages like these").arg(Notes_Dropped);
    Notes_Dropped = 0;
    QStringList out;
    out.swap(Notes);
    return out;
}

bool TelnetCodec::lineReady() const
{
    return !Com_Port || Refused || Answered == (1u << SettingCount) - 1;
}
