#pragma once

#include <QByteArray>
#include <QStringList>

// The client side of telnet with the Com Port Control option (RFC 854, RFC 2217), fed with the
// bytes from the server: it returns the serial data, keeps the answers to send back, and sets the
// unit's line (115200 baud, 8N1, no flow control) once the server agrees to the option. Without
// the option it only strips and escapes IAC. No socket: tests and the fuzzer feed it directly.
// As the server (the simulator's --listen) it agrees to the option and confirms every setting.
class TelnetCodec
{
public:
    enum class Role { Client, Server };
    explicit TelnetCodec(bool comPortControl = true, Role role = Role::Client);

    // What opens the session: our offer of the options.
    QByteArray start();
    // Serial data from server bytes; negotiation answers collect in takeReplies().
    QByteArray decode(const QByteArray &bytes);
    QByteArray takeReplies();
    // Server remarks worth a log line (a refused setting, a line state); never failures. At most
    // MaxNotes wait to be taken, the rest are counted: a server repeating itself costs no memory.
    QStringList takeNotes();
    // True once data may flow: the server answered every line setting, or refused the option.
    bool lineReady() const;

    // Serial data as it goes on the wire: every 0xFF doubled.
    static QByteArray encode(const QByteArray &data);

    enum : unsigned char {
        Se = 240, Sb = 250, Will = 251, Wont = 252, Do = 253, Dont = 254, Iac = 255,
        Binary = 0, Echo = 1, SuppressGoAhead = 3, ComPort = 44,
    };
    // Com Port Control commands from the client; the server answers with the same plus 100.
    enum : unsigned char { SetBaud = 1, SetDataSize = 2, SetParity = 3, SetStopSize = 4, SetControl = 5 };
    static constexpr int SettingCount = 5;
    static constexpr int MaxNotes = 4;

private:
    void command(unsigned char verb, unsigned char option);
    void subnegotiation(const QByteArray &body);
    void sendSettings();
    void send(unsigned char verb, unsigned char option);
    bool roomForNote();

    enum class State { Data, Iac, Verb, Sub, SubIac };
    State Parse = State::Data;
    unsigned char Verb_Byte = 0;
    QByteArray Sub_Body;
    QByteArray Replies;
    QStringList Notes;
    int Notes_Dropped = 0;
    bool Com_Port;
    Role My_Role;
    bool Offered = false;       // our WILL COM-PORT-OPTION went out
    bool Settings_Sent = false;
    bool Refused = false;       // the server will not do Com Port Control
    unsigned Answered = 0;      // bit per setting the server answered
    bool Agreed[256] = {};      // options whose answer went out, so a repeat gets none (no loops)
};
