#include "DiscoveredUnit.h"

#include <QHostAddress>
#include <QUrl>

namespace {
// The layers of a gensio stack, outermost first, each with its arguments:
// "telnet(rfc2217),ssl(key=a,cert=b),tcp" gives telnet/rfc2217, ssl/key=a,cert=b, tcp/.
QList<QPair<QString, QString>> layers(const QString &stack)
{
    QList<QPair<QString, QString>> out;
    int depth = 0;
    QString current;
    const auto finish = [&out, &current] {
        const int open = current.indexOf(QLatin1Char('('));
        if (open < 0)
            out.append({current.trimmed(), QString()});
        else
            out.append({current.left(open).trimmed(), current.mid(open + 1, current.size() - open - 2)});
        current.clear();
    };
    for (const QChar c : stack) {
        if (c == QLatin1Char(',') && depth == 0) {
            finish();
            continue;
        }
        depth += c == QLatin1Char('(') ? 1 : c == QLatin1Char(')') ? -1 : 0;
        if (depth < 0)
            return {}; // unbalanced: not a stack we can read
        current += c;
    }
    if (depth != 0)
        return {};
    finish();
    return out;
}

bool telnetWithComPort(const QString &arguments)
{
    const QStringList options = arguments.split(QLatin1Char(','));
    return options.contains(QLatin1String("rfc2217")) || options.contains(QLatin1String("rfc2217=true"));
}


} // namespace

std::optional<DiscoveredUnit> DiscoveredUnit::from(const Announcement &a, QString *why)
{
    const auto refuse = [why](const QString &reason) {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    DiscoveredUnit u;
    u.name = a.name;
    u.hostName = a.hostName;
    u.ip = a.ip;
    u.port = a.port;
    u.txt = a.txt;
    const QString stack = QString::fromUtf8(u.txtValue("gensiostack"));
    const QList<QPair<QString, QString>> parts = layers(stack);
    // What ser2net announces: [telnet(rfc2217),][ssl,]tcp. Anything else (udp, a plain telnet
    // without Com Port Control, a mux) is not a link this tool speaks.
    int at = 0;
    if (!parts.isEmpty() && parts.at(0).first == QLatin1String("telnet")) {
        if (!telnetWithComPort(parts.at(0).second))
            return refuse(QStringLiteral("telnet without rfc2217 in \"%1\"").arg(stack));
        ++at;
    } else {
        u.kind = PortAddress::Kind::RawTcp;
    }
    if (at < parts.size() && parts.at(at).first == QLatin1String("ssl")) {
        u.tls = true;
        ++at;
    }
    if (stack.isEmpty())
        return refuse(QStringLiteral("no gensiostack entry"));
    if (at != parts.size() - 1 || parts.at(at).first != QLatin1String("tcp"))
        return refuse(QStringLiteral("stack \"%1\" is not [telnet(rfc2217),][ssl,]tcp").arg(stack));

    const QHostAddress ip(a.ip);
    if (ip.isNull() || a.port == 0)
        return refuse(QStringLiteral("no usable address (\"%1\", port %2)").arg(a.ip).arg(a.port));

    u.managementUnit = u.txtValue("role") == Role;
    // A USB adapter's serial number survives a new name as well as a new address; the link kind
    // keeps two accepters of one adapter apart.
    const QByteArray serial = u.txtValue("serial");
    u.identity = serial.isEmpty() ? QStringLiteral("name:") + a.name
                                  : QStringLiteral("usb:%1:%2:%3|%4")
                                        .arg(QString::fromUtf8(u.txtValue("idVendor")), QString::fromUtf8(u.txtValue("idProduct")),
                                             QString::fromUtf8(serial), u.address().section(QLatin1Char(':'), 0, 0));
    // The host name goes into name=; one that is no host name makes no address.
    const PortAddress check = PortAddress::parse(u.address());
    if (!check.isValid())
        return refuse(QStringLiteral("host name \"%1\" cannot be checked against a certificate").arg(visible(a.hostName)));
    return u;
}

QString DiscoveredUnit::label() const
{
    QString link = kind == PortAddress::Kind::Rfc2217 ? QStringLiteral("RFC 2217") : QStringLiteral("TCP");
    if (tls)
        link += QStringLiteral(", TLS");
    return QStringLiteral("%1 (%2)").arg(visible(name), link);
}

QString DiscoveredUnit::address(const QString &caFile) const
{
    const QString scheme = QLatin1String(kind == PortAddress::Kind::Rfc2217 ? "rfc2217" : "socket")
        + QLatin1String(tls ? "+tls" : "");
    const QString host = ip.contains(QLatin1Char(':')) ? QLatin1Char('[') + ip + QLatin1Char(']') : ip;
    QString text = QStringLiteral("%1://%2:%3").arg(scheme, host).arg(port);
    if (!tls)
        return text;
    // Encoded, so that a path holding '&' or '#' stays one option.
    QStringList options;
    if (!caFile.isEmpty())
        options << QStringLiteral("ca=") + QString::fromUtf8(QUrl::toPercentEncoding(caFile, "/:~+,@"));
    options << QStringLiteral("name=") + QString::fromUtf8(QUrl::toPercentEncoding(hostName));
    return text + QLatin1Char('?') + options.join(QLatin1Char('&'));
}

QString DiscoveredUnit::visible(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            c = QChar(QChar::ReplacementCharacter);
    return out;
}

QString DiscoveredUnit::txtText() const
{
    QStringList entries;
    for (const QByteArray &entry : txt)
        entries << visible(QString::fromUtf8(entry));
    return entries.join(QLatin1Char(' '));
}

QByteArray DiscoveredUnit::txtValue(const QByteArray &key) const
{
    // Keys are case-insensitive, and only a key's first entry counts.
    for (const QByteArray &entry : txt) {
        const int equals = entry.indexOf('=');
        const QByteArray entryKey = equals < 0 ? entry : entry.left(equals);
        if (entryKey.compare(key, Qt::CaseInsensitive) == 0)
            return equals < 0 ? QByteArray() : entry.mid(equals + 1);
    }
    return QByteArray();
}
