#include "SimUnit.h"

#include "serial/Gbk.h"

SimUnit::SimUnit(const Options &options)
    : Opts(options)
{
    addHandler(QStringLiteral("ATSW"), [this](const Command &c) { return stateReply(c); });
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
    return (*handler)(command);
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
