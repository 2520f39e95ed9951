#include "SimUnit.h"

#include "TicketPrinter.h"
#include "ticket/Gbk.h"

#include <QDateTime>
#include <QFile>

#include <QRegularExpression>

#include <array>

SimUnit::SimUnit(const Options &options)
    : Opts(options)
{
    addHandler(QStringLiteral("ATSW"), [this](const Command &c) { return stateReply(c); });
    addHandler(QStringLiteral("ATPW"), [this](const Command &c) { return ticketLine(c); });
    addHandler(QStringLiteral("ATLW"), [this](const Command &c) { return typeName(c); });
    addHandler(QStringLiteral("ATNW"), [this](const Command &c) { return systemParameter(c); });
    addHandler(QStringLiteral("ATTW"), [this](const Command &c) { return clock(c); });
    addHandler(QStringLiteral("ATRW"), [this](const Command &c) { return factoryReset(c); });
    addHandler(QStringLiteral("ATAW"), [this](const Command &c) { return pairing(c); });
    addHandler(QStringLiteral("ATUP"), [this](const Command &c) { return upgrade(c); });
}

void SimUnit::addHandler(const QString &verb, Handler handler)
{
    Handlers.insert(verb, std::move(handler));
}

QList<SimUnit::Reply> SimUnit::handle(const QByteArray &burst)
{
    // During a transfer everything but an "ATUP+" text is a package of raw bytes.
    if (Upgrade.active && !burst.startsWith("ATUP+"))
        return package(burst);
    Command command;
    command.raw = burst;
    command.text = Gbk::decode(burst);
    command.fields = command.text.split(QLatin1Char('+'));
    const auto handler = Handlers.constFind(command.fields.value(0));
    if (handler == Handlers.constEnd()) {
        note(QStringLiteral("unknown command ignored"));
        return {};
    }
    if (command.fields.value(0) != QLatin1String("ATPW"))
        Lines_In_Write = 0;
    if (Opts.silentVerbs.contains(command.fields.value(0))) {
        note(QStringLiteral("silent: %1 not answered").arg(command.fields.value(0)));
        return {};
    }
    return shaped((*handler)(command));
}

QList<SimUnit::Reply> SimUnit::shaped(QList<Reply> replies) const
{
    if (!Opts.splitReplies)
        return replies;
    QList<Reply> split;
    for (const Reply &r : replies) {
        const int half = r.bytes.size() / 2;
        split << Reply{r.bytes.left(half), r.delayMs} << Reply{r.bytes.mid(half), SplitGapMs};
    }
    return split;
}

QList<SimUnit::Reply> SimUnit::acknowledge(const QString &verb, const QString &code)
{
    QString sent = code;
    if (Opts.wrongCodeVerbs.contains(verb))
        sent = QStringLiteral("9") + code; // outside every pattern of the tool
    return {{(verb + QLatin1Char('+') + sent + QStringLiteral("+OK!\r\n")).toLatin1(), Opts.ackDelayMs}};
}

QList<SimUnit::Reply> SimUnit::reject(const QString &reason)
{
    note(QStringLiteral("rejected: ") + reason);
    return {};
}

QList<SimUnit::Reply> SimUnit::ticketLine(const Command &c)
{
    if (c.fields.size() != 7 || c.fields.at(6) != QLatin1String("OK"))
        return reject(QStringLiteral("ticket line needs seven fields ending in OK"));
    bool ok = false;
    const int n = c.fields.at(1).toInt(&ok);
    if (!ok || c.fields.at(1).size() != 1 || n < 0 || n > 9)
        return reject(QStringLiteral("ticket line number must be one digit"));
    Unit_State.lines[n] = c.text;
    note(QStringLiteral("line %1 = %2").arg(n).arg(c.text));
    if (++Lines_In_Write == 10) {
        Lines_In_Write = 0;
        TicketPrinter::Context context;
        const QDateTime now = QDateTime::currentDateTime();
        context.chineseTime = now.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
        context.otherTime = now.toString(QStringLiteral("dd-MM-yyyy hh:mm"));
        Last_Ticket = TicketPrinter::print(Unit_State.lines, context);
        note(QStringLiteral("ticket printed, %1 rows").arg(Last_Ticket.size()));
        for (const QString &row : qAsConst(Last_Ticket))
            note(QStringLiteral("ticket|") + row);
    }
    return acknowledge(QStringLiteral("ATPW"), QStringLiteral("7"));
}

QList<SimUnit::Reply> SimUnit::typeName(const Command &c)
{
    if (c.fields.size() != 4 || c.fields.at(3) != QLatin1String("OK"))
        return reject(QStringLiteral("type name needs four fields ending in OK"));
    const QString &t = c.fields.at(1);
    const QString &name = c.fields.at(2);
    if (t.size() != 1 || t < QLatin1String("1") || t > QLatin1String("5"))
        return reject(QStringLiteral("type must be 1 to 5"));
    const int bytes = Gbk::length(name);
    if (bytes < 1 || bytes > 8)
        return reject(QStringLiteral("type name must be 1 to 8 bytes"));
    Unit_State.typeNames[t.toInt() - 1] = name;
    note(QStringLiteral("type %1 name = %2").arg(t, name));
    return acknowledge(QStringLiteral("ATLW"), t);
}

QList<SimUnit::Reply> SimUnit::systemParameter(const Command &c)
{
    if (c.fields.size() != 4 || c.fields.at(3) != QLatin1String("OK"))
        return reject(QStringLiteral("parameter needs four fields ending in OK"));
    const QString &which = c.fields.at(1);
    const QString &value = c.fields.at(2);
    static const QRegularExpression id(QStringLiteral("\\A(0|[1-9][0-9]?)\\z"));
    static const QRegularExpression hour(QStringLiteral("\\A([01][0-9]|2[0-3]|25)\\z"));
    static const QRegularExpression flag(QStringLiteral("\\A[01]\\z"));
    static const QRegularExpression lang(QStringLiteral("\\A[012]\\z"));
    if (which == QLatin1String("0") && id.match(value).hasMatch()) {
        Unit_State.networkId = value;
        note(QStringLiteral("network id = ") + value);
    } else if (which == QLatin1String("1") && flag.match(value).hasMatch()) {
        Unit_State.syncRestart = value;
        note(QStringLiteral("synchronised restart = ") + value);
    } else if (which == QLatin1String("2") && hour.match(value).hasMatch()) {
        Unit_State.clearingHour = value;
        note(QStringLiteral("clearing hour = ") + value);
    } else if (which == QLatin1String("3") && lang.match(value).hasMatch()) {
        Unit_State.language = value;
        note(QStringLiteral("language = ") + value);
    } else {
        return reject(QStringLiteral("parameter %1 value %2 out of range").arg(which, value));
    }
    return acknowledge(QStringLiteral("ATNW"), which);
}

QList<SimUnit::Reply> SimUnit::clock(const Command &c)
{
    static const QRegularExpression stamp(QStringLiteral(
        "\\A([0-9]{2})-([0-9]{2})-([0-9]{2})-0([1-7])-([01][0-9]|2[0-3])-[0-5][0-9]-[0-5][0-9]\\z"));
    const QRegularExpressionMatch m = stamp.match(c.fields.value(1));
    if (c.fields.size() != 3 || c.fields.at(2) != QLatin1String("OK") || !m.hasMatch())
        return reject(QStringLiteral("clock must be yy-MM-dd-ww-hh-mm-ss"));
    // The unit keeps a calendar: the date must exist and the weekday must be its own.
    const QDate date(2000 + m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid())
        return reject(QStringLiteral("no such date"));
    if (date.dayOfWeek() != m.captured(4).toInt())
        return reject(QStringLiteral("weekday does not match the date"));
    Unit_State.clock = c.fields.at(1);
    note(QStringLiteral("clock = ") + c.fields.at(1));
    return acknowledge(QStringLiteral("ATTW"), QStringLiteral("43"));
}

QList<SimUnit::Reply> SimUnit::factoryReset(const Command &c)
{
    if (c.text != QLatin1String("ATRW+58317+OK"))
        return reject(QStringLiteral("wrong access code"));
    Unit_State = State();
    Unit_State.factoryResets = 1;
    note(QStringLiteral("factory settings restored"));
    return acknowledge(QStringLiteral("ATRW"), QStringLiteral("51"));
}

QList<SimUnit::Reply> SimUnit::stateReply(const Command &command) const
{
    if (command.text != QLatin1String("ATSW+STATE+OK"))
        return {};
    return {{stateBytes(), 0}};
}

QByteArray SimUnit::stateBytes() const
{
    QString version = Opts.firmwareVersion;
    // The bootloader reports a version beginning "VB".
    if (Opts.bootloader && !version.startsWith(QLatin1String("VB")))
        version = QStringLiteral("VB") + version.mid(1);
    return QByteArray("ATSW+") + Gbk::encode(version) + QByteArray("+OK\r\n");
}

void SimUnit::note(const QString &line)
{
    Notes.append(line);
}

QStringList SimUnit::takeNotes()
{
    QStringList out;
    out.swap(Notes);
    return out;
}

QList<SimUnit::Reply> SimUnit::pairing(const Command &c)
{
    const QString what = c.fields.value(1);
    const QString type = c.fields.value(2);
    if (c.fields.size() != 4 || c.fields.at(3) != QLatin1String("OK"))
        return reject(QStringLiteral("pairing command needs four fields ending in OK"));
    auto line = [](const QString &text) { return text.toLatin1() + QByteArray("\r\n"); };
    if (what == QLatin1String("READ") && type == QLatin1String("ALL")) {
        QList<Reply> replies;
        for (int t = 1; t <= 5; ++t) {
            const QString info = Unit_State.pairedDispenser[t - 1].isEmpty() ? QStringLiteral("---")
                                                                              : Unit_State.pairedDispenser[t - 1];
            replies << Reply{line(QStringLiteral("ATAW+%1+READ+%2").arg(t).arg(info)), t == 1 ? 0 : ReadGapMs};
        }
        return replies;
    }
    const int t = type.size() == 1 ? type.toInt() : 0;
    if (what == QLatin1String("ADD") && t >= 1 && t <= 5) {
        for (int u = 1; u <= 5; ++u) {
            if (Unit_State.pairedDispenser[u - 1] == Opts.dispenserId) {
                note(QStringLiteral("dispenser %1 already paired with type %2").arg(Opts.dispenserId).arg(u));
                return {{line(QStringLiteral("ATAW+%1+REPEAT+%2").arg(t).arg(u)), Opts.keyDelayMs}};
            }
        }
        Unit_State.pairedDispenser[t - 1] = Opts.dispenserId;
        note(QStringLiteral("type %1 paired with dispenser %2").arg(t).arg(Opts.dispenserId));
        return {{line(QStringLiteral("ATAW+%1+SUCCESS+%2").arg(t).arg(Opts.dispenserId)), Opts.keyDelayMs}};
    }
    if (what == QLatin1String("Delete") && type == QLatin1String("ALL")) {
        for (QString &d : Unit_State.pairedDispenser)
            d.clear();
        note(QStringLiteral("all pairings deleted"));
        return {{line(QStringLiteral("ATAW+Delete+ALL")), Opts.ackDelayMs}};
    }
    if (what == QLatin1String("Delete") && t >= 1 && t <= 5) {
        Unit_State.pairedDispenser[t - 1].clear();
        note(QStringLiteral("pairing of type %1 deleted").arg(t));
        return {{line(QStringLiteral("ATAW+Delete+%1").arg(t)), Opts.ackDelayMs}};
    }
    return reject(QStringLiteral("unknown pairing command"));
}

QList<SimUnit::Reply> SimUnit::request(int n)
{
    Upgrade.next = n;
    if (Opts.corruptRequest && !Upgrade.corruptUsed && n == 1) {
        // One damaged request; whatever comes back for it is thrown away and the request repeated.
        Upgrade.corruptUsed = true;
        Upgrade.discardNext = true;
        note(QStringLiteral("sending a malformed request"));
        return {{QByteArray("ATUP+Package+#1\r\n"), 0}};
    }
    return {{QByteArray("ATUP+Package+") + QByteArray::number(n) + QByteArray("\r\n"), 0}};
}

QList<SimUnit::Reply> SimUnit::upgrade(const Command &c)
{
    if (c.text == QLatin1String("ATUP+APPSTART+OK\r\n")) {
        Upgrade = Transfer();
        Upgrade.active = !Opts.earlyOver;
        note(QStringLiteral("upgrade started"));
        if (Opts.earlyOver)
            return {{QByteArray("ATUP+Upgrade_Over+OK\r\n"), 0}};
        return request(0);
    }
    if (c.text == QLatin1String("ATUP+Package_Over+OK\r\n") && Upgrade.active) {
        Upgrade.active = false;
        note(QStringLiteral("image complete, %1 bytes in %2 packages").arg(Upgrade.image.size()).arg(Upgrade.packagesAccepted));
        if (!Opts.imageOut.isEmpty()) {
            QFile out(Opts.imageOut);
            if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
                out.write(Upgrade.image);
        }
        if (Opts.rejectImage) {
            note(QStringLiteral("image rejected"));
            return {{QByteArray("ATUP+Upgrade_Error+OK\r\n"), 0}};
        }
        return {{QByteArray("ATUP+Upgrade_Over+OK\r\n"), 0}};
    }
    return reject(QStringLiteral("unexpected bootloader text"));
}

uint16_t SimUnit::crc16Modbus(const QByteArray &bytes)
{
    // The bitwise definition, once per byte value: a fleet of a thousand units checks 50 MB.
    static const std::array<uint16_t, 256> table = [] {
        std::array<uint16_t, 256> t{};
        for (int v = 0; v < 256; ++v) {
            uint16_t crc = uint16_t(v);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
            t[size_t(v)] = crc;
        }
        return t;
    }();
    uint16_t crc = 0xFFFF;
    for (const char b : bytes)
        crc = uint16_t((crc >> 8) ^ table[(crc ^ uint8_t(b)) & 0xFF]);
    return crc;
}

QList<SimUnit::Reply> SimUnit::package(const QByteArray &bytes)
{
    if (Upgrade.discardNext) {
        Upgrade.discardNext = false;
        note(QStringLiteral("answer to the malformed request discarded"));
        return request(Upgrade.next);
    }
    bool good = bytes.size() >= 4;
    int length = 0;
    if (good) {
        length = (uint8_t(bytes.at(0)) << 8) | uint8_t(bytes.at(1));
        good = length <= 1024 && bytes.size() == length + 4;
    }
    if (good) {
        const uint16_t crc = crc16Modbus(bytes.left(length + 2));
        good = uint8_t(bytes.at(length + 2)) == (crc & 0xFF) && uint8_t(bytes.at(length + 3)) == (crc >> 8);
    }
    if (!good) {
        note(QStringLiteral("bad package %1 (%2 bytes)").arg(Upgrade.next).arg(bytes.size()));
        if (++Upgrade.tries >= MaxTries) {
            Upgrade.active = false;
            return {{QByteArray("ATUP+Upgrade_Error+OK\r\n"), 0}};
        }
        return request(Upgrade.next);
    }
    Upgrade.tries = 0;
    const int offset = Upgrade.next * 1024;
    if (Upgrade.image.size() < offset + length)
        Upgrade.image.resize(offset + length);
    Upgrade.image.replace(offset, length, bytes.mid(2, length));
    ++Upgrade.packagesAccepted;
    if (Opts.stallAfter >= 0 && Upgrade.next >= Opts.stallAfter) {
        note(QStringLiteral("stalling after package %1").arg(Upgrade.next));
        return {};
    }
    return request(Opts.requestLoop ? 0 : Upgrade.next + 1);
}
