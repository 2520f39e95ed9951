#include "PortAddress.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QUrlQuery>

namespace {
const QLatin1String Separator("://");

PortAddress invalid(PortAddress address, const QString &why)
{
    address.error = QCoreApplication::translate("QObject", "地址无效 (%1): %2").arg(address.text, why);
    return address;
}

// Host names as DNS allows them; anything else (spaces, slashes, '@') is a typing error.
bool plausibleHostName(const QString &host)
{
    if (host.isEmpty() || host.size() > 253)
        return false;
    for (const QChar c : host)
        if (!(c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('.') || c == QLatin1Char('_')))
            return false;
    return true;
}
} // namespace

bool PortAddress::looksRemote(const QString &text)
{
    return text.contains(Separator);
}

QString PortAddress::endpoint() const
{
    const bool v6 = host.contains(QLatin1Char(':'));
    return (v6 ? QLatin1Char('[') + host + QLatin1Char(']') : host) + QLatin1Char(':') + QString::number(port);
}

PortAddress PortAddress::parse(const QString &text)
{
    PortAddress a;
    a.text = text;
    if (!looksRemote(text))
        return a;
    const int schemeEnd = text.indexOf(Separator);
    const QString scheme = text.left(schemeEnd).toLower();
    if (scheme == QLatin1String("rfc2217") || scheme == QLatin1String("rfc2217+tls"))
        a.kind = Kind::Rfc2217;
    else if (scheme == QLatin1String("socket") || scheme == QLatin1String("socket+tls"))
        a.kind = Kind::RawTcp;
    else
        return invalid(a, QCoreApplication::translate("QObject", "只支持 rfc2217://, socket://, rfc2217+tls:// 和 socket+tls://"));
    a.tls = scheme.endsWith(QLatin1String("+tls"));

    QString rest = text.mid(schemeEnd + Separator.size());
    const int queryAt = rest.indexOf(QLatin1Char('?'));
    const QString query = queryAt < 0 ? QString() : rest.mid(queryAt + 1);
    rest = rest.left(queryAt < 0 ? rest.size() : queryAt);
    if (rest.endsWith(QLatin1Char('/')))
        rest.chop(1);

    const int colon = rest.lastIndexOf(QLatin1Char(':'));
    const QString portText = colon < 0 ? QString() : rest.mid(colon + 1);
    QString host = colon < 0 ? rest : rest.left(colon);
    bool ok = false;
    const uint port = portText.toUInt(&ok);
    if (!ok || port < 1 || port > 65535 || !portText.at(0).isDigit())
        return invalid(a, QCoreApplication::translate("QObject", "需要主机和端口号 1 到 65535, 例如 rfc2217://192.168.1.20:7001"));
    a.port = quint16(port);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']'))) {
        host = host.mid(1, host.size() - 2);
        if (QHostAddress(host).protocol() != QAbstractSocket::IPv6Protocol)
            return invalid(a, QCoreApplication::translate("QObject", "方括号里须是 IPv6 地址"));
    } else if (host.contains(QLatin1Char(':')) || !plausibleHostName(host)) {
        return invalid(a, QCoreApplication::translate("QObject", "主机名无效; IPv6 地址须写在方括号里"));
    }
    a.host = host;

    for (const auto &item : QUrlQuery(query).queryItems(QUrl::FullyDecoded)) {
        const QString &key = item.first;
        if (!a.tls && !key.isEmpty())
            return invalid(a, QCoreApplication::translate("QObject", "选项 %1 只用于 TLS 地址 (+tls)").arg(key));
        if (key == QLatin1String("ca"))
            a.caFile = item.second;
        else if (key == QLatin1String("cert"))
            a.certFile = item.second;
        else if (key == QLatin1String("key"))
            a.keyFile = item.second;
        else if (key == QLatin1String("name") && !plausibleHostName(item.second))
            return invalid(a, QCoreApplication::translate("QObject", "name= 须是证书上的主机名"));
        else if (key == QLatin1String("name"))
            a.peerName = item.second;
        else if (key == QLatin1String("insecure") && item.second.isEmpty())
            a.insecure = true;
        else
            return invalid(a, QCoreApplication::translate("QObject", "未知选项 %1").arg(key));
    }
    if (a.certFile.isEmpty() != a.keyFile.isEmpty())
        return invalid(a, QCoreApplication::translate("QObject", "客户端证书需要 cert= 和 key= 两个文件"));
    return a;
}
