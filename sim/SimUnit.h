#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The management unit as the tool sees it: takes one received burst, gives the replies.
// Each verb ("ATSW", "ATPW", ...) is one small handler.
class SimUnit
{
public:
    struct Options {
        QString firmwareVersion = QStringLiteral("V2.1");
        bool bootloader = false;
        QStringList silentVerbs;    // never answered
        QStringList wrongCodeVerbs; // answered with a code outside the tool's pattern
        int ackDelayMs = 0;         // before every acknowledgement
        bool splitReplies = false;  // each reply in two bursts, 60 ms apart
        int keyDelayMs = 1500;      // the operator holding a dispenser's key
        QString dispenserId = QStringLiteral("1001"); // the dispenser whose key is held
        int stallAfter = -1;        // stop asking after this package
        bool corruptRequest = false; // one malformed package request
        bool rejectImage = false;    // the verdict on a complete image is an error
        bool requestLoop = false;    // asks for package 0 again after every package, for ever
        bool earlyOver = false;      // reports success right after the start request
        QString imageOut;            // where the assembled image is written
    };

    // What the unit has been told.
    struct State {
        QString typeNames[5];
        QString networkId = QStringLiteral("0");
        QString syncRestart = QStringLiteral("1");
        QString clearingHour = QStringLiteral("25");
        QString language = QStringLiteral("0");
        QString clock;
        QString lines[10];
        int factoryResets = 0;
        QString pairedDispenser[5]; // by type; empty when none
    };

    // The bootloader's side of a firmware transfer.
    struct Transfer {
        bool active = false;
        int next = 0;     // package asked for
        int tries = 0;    // bad copies of it so far
        bool discardNext = false;
        bool corruptUsed = false;
        QByteArray image;
        int packagesAccepted = 0;
    };

    static constexpr int ReadGapMs = 60;
    static constexpr int MaxTries = 3;

    static constexpr int SplitGapMs = 60;

    struct Command {
        QByteArray raw;
        QString text;
        QStringList fields;
    };

    struct Reply {
        QByteArray bytes;
        int delayMs = 0; // after the previous reply (or after the command, for the first)
    };

    using Handler = std::function<QList<Reply>(const Command &)>;

    explicit SimUnit(const Options &options);

    QList<Reply> handle(const QByteArray &burst);
    // The state reply, as the unit also sends it unasked.
    QByteArray stateBytes() const;
    void addHandler(const QString &verb, Handler handler);
    // Lines of state worth showing in the journal ("note" entries) since the last call.
    QStringList takeNotes();
    const State &state() const { return Unit_State; }
    const Transfer &transfer() const { return Upgrade; }
    static uint16_t crc16Modbus(const QByteArray &bytes);

private:
    void note(const QString &line);
    QList<Reply> stateReply(const Command &command) const;
    QList<Reply> acknowledge(const QString &verb, const QString &code);
    QList<Reply> reject(const QString &reason);
    QList<Reply> ticketLine(const Command &command);
    QList<Reply> typeName(const Command &command);
    QList<Reply> systemParameter(const Command &command);
    QList<Reply> clock(const Command &command);
    QList<Reply> factoryReset(const Command &command);
    QList<Reply> shaped(QList<Reply> replies) const;
    QList<Reply> pairing(const Command &command);
    QList<Reply> upgrade(const Command &command);
    QList<Reply> package(const QByteArray &bytes);
    QList<Reply> request(int n);

    Options Opts;
    State Unit_State;
    Transfer Upgrade;
    int Lines_In_Write = 0; // ticket lines received since the last other command
    QStringList Last_Ticket;
    QHash<QString, Handler> Handlers;
    QStringList Notes;
};
