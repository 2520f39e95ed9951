#include "SimUnit.h"

#include "TicketPrinter.h"
#include "serial/Gbk.h"

#include <QDateTime>

#include <QRegularExpression>

SimUnit::SimUnit(const Options &options)
    : Opts(options)
{
    addHandler(QStringLiteral("ATSW"), [this](const Command &c) { return stateReply(c); });
    addHandler(QStringLiteral("ATPW"), [this](const Command &c) { return ticketLine(c); });
    addHandler(QStringLiteral("ATLW"), [this](const Command &c) { return typeName(c); });
    addHandler(QStringLiteral("ATNW"), [this](const Command &c) { return systemParameter(c); });
    addHandler(QStringLiteral("ATTW"), [this](const Command &c) { return clock(c); });
    addHandler(QStringLiteral("ATRW"), [this](const Command &c) { return factoryReset(c); });
}

void SimUnit::addHandler(const QString &verb, Handler handler)
{
    Handlers.insert(verb, std::move(handler));
}

QList<SimUnit::Reply> SimUnit::handle(const QByteArray &burst)
{
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
    static const QRegularExpression stamp(
        QStringLiteral("\\A[0-9]{2}-(0[1-9]|1[0-2])-(0[1-9]|[12][0-9]|3[01])-0[1-7]-([01][0-9]|2[0-3])-[0-5][0-9]-[0-5][0-9]\\z"));
    if (c.fields.size() != 3 || c.fields.at(2) != QLatin1String("OK") || !stamp.match(c.fields.at(1)).hasMatch())
        return reject(QStringLiteral("clock must be yy-MM-dd-ww-hh-mm-ss"));
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
    QString version = Opts.firmwareVersion;
    // The bootloader reports a version beginning "VB".
    if (Opts.bootloader && !version.startsWith(QLatin1String("VB")))
        version = QStringLiteral("VB") + version.mid(1);
    return {{QByteArray("ATSW+") + Gbk::encode(version) + QByteArray("+OK\r\n"), 0}};
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
