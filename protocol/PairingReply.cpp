#include "PairingReply.h"
#include "ticket/ServiceType.h"

#include <QCoreApplication>
#include <QStringList>


int PairingReply::typeNumber(const QString &field)
{
    if (field.isEmpty())
        return 0;
    for (const QChar c : field)
        if (!c.isDigit() || c.unicode() > 0x7f)
            return 0;
    const int t = field.toInt();
    return t >= 1 && t <= ServiceType::Count ? t : 0;
}

PairingReply PairingReply::parse(const QString &text)
{
    PairingReply r;
    // The unit ends each reply with CR LF; it belongs to no field ("ALL", "5", the dispenser id).
    QString body = text;
    if (body.endsWith(QLatin1String("\r\n")))
        body.chop(2);
    const QStringList f = body.split(QLatin1Char('+'));
    const QString p0 = f.value(0), p1 = f.value(1), p2 = f.value(2), p3 = f.value(3);
    if (p0 != QLatin1String("ATAW"))
        return r;
    r.fromUnit = true;
    const QString typeWord = QCoreApplication::translate("QObject", "类型 ");
    if (p2 == QLatin1String("SUCCESS")) {
        r.status = typeWord + p1 + QLatin1Char(' ') + QCoreApplication::translate("QObject", "匹配成功.");
        if (const int t = typeNumber(p1))
            r.typeLines[t - 1] = typeWord + p1 + QStringLiteral(" : ") + p3;
        r.picture = Picture::Paired;
        r.advance = true;
    }
    if (p2 == QLatin1String("REPEAT")) {
        r.status = QCoreApplication::translate("QObject", "此叫号器已经与类型 ") + p3 + QCoreApplication::translate("QObject", " 配对...");
        r.picture = Picture::AlreadyPaired;
    }
    if (p1 == QLatin1String("Delete")) {
        if (p2 == QLatin1String("ALL")) {
            r.status = QCoreApplication::translate("QObject", "已经删除全部类型.");
            for (auto &line : r.typeLines)
                line = typeWord + QStringLiteral("---");
        } else {
            r.status = typeWord + p2 + QLatin1Char(' ') + QCoreApplication::translate("QObject", "删除成功.");
            if (const int t = typeNumber(p2))
                r.typeLines[t - 1] = typeWord + p2;
            r.advance = true;
        }
    }
    if (p2 == QLatin1String("READ")) {
        if (const int t = typeNumber(p1))
            r.typeLines[t - 1] = typeWord + p1 + QStringLiteral(" : ") + p3;
    }
    return r;
}
