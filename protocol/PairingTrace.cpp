#include "PairingTrace.h"

#include "BatchKind.h"

#include <QStringList>

void PairingTrace::setUnit(const QString &key, const QString &firmware)
{
    Key = key;
    Firmware = firmware;
}

void PairingTrace::sent(const QString &command)
{
    const QStringList f = command.split(QLatin1Char('+'));
    const bool add = f.value(1) == QLatin1String("ADD");
    if (f.value(0) != QLatin1String("ATAW") || (!add && f.value(1) != QLatin1String("Delete")))
        return; // the pairings read on opening change nothing
    if (Trace.isRunning())
        end(QStringLiteral("interrupted"), QStringLiteral("no answer before the next pairing command"));
    Trace.begin(Key, Firmware, BatchKinds::name(BatchKind::Pairing));
    Trace.sentText(command);
    Trace.setCommands(0, 1);
    Deleting = !add;
}

void PairingTrace::received(const QString &text)
{
    if (!Trace.isRunning())
        return;
    QString body = text;
    if (body.endsWith(QLatin1String("\r\n")))
        body.chop(2);
    const QStringList f = body.split(QLatin1Char('+'));
    if (f.value(0) != QLatin1String("ATAW"))
        return;
    if (Deleting && f.value(1) == QLatin1String("Delete")) {
        Trace.setCommands(1, 1);
        end(QStringLiteral("ok"), QStringLiteral("deleted type %1").arg(f.value(2)));
    } else if (!Deleting && f.value(2) == QLatin1String("SUCCESS")) {
        Trace.setCommands(1, 1);
        end(QStringLiteral("ok"), QStringLiteral("type %1 paired with dispenser %2").arg(f.value(1), f.value(3)));
    } else if (!Deleting && f.value(2) == QLatin1String("REPEAT")) {
        Trace.setCommands(1, 1);
        end(QStringLiteral("failed"), QStringLiteral("the dispenser is already paired with type %1").arg(f.value(3)));
    }
}

void PairingTrace::close()
{
    if (Trace.isRunning())
        end(QStringLiteral("interrupted"), QStringLiteral("window closed before the unit answered"));
}

void PairingTrace::end(const QString &result, const QString &reason)
{
    emit recorded(Trace.end(result, reason));
}
