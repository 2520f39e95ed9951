#include "PortAddress.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QUrl>

#include <algorithm>
#include <iterator>

namespace {
const QLatin1String Separator("://");

// The options a TLS address may carry: a value each (a file, or the name the certificate must carry),
// or the one flag, insecure.
struct Option {
    const char *key;
    QString PortAddress::*value; // null for the flag
};
const Option Options[] = {
    {"ca", &PortAddress::caFile},
    {"cert", &PortAddress::certFile},
    {"key", &PortAddress::keyFile},
    {"name", &PortAddress::peerName},
    {"insecure", nullptr},
};

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

QString PortAddress::scheme() const
{
    const QString base = kind == Kind::Rfc2217 ? QStringLiteral("rfc2217") : QStringLiteral("socket");
    return tls ? base + QStringLiteral("+tls") : base;
}

QString PortAddress::shown() const
{
    return isNetwork() && isValid() ? scheme() + Separator + endpoint() : text;
}

PortAddress PortAddress::parse(const QString &written)
{
    PortAddress a;
    const QString text = written.trimmed();
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
    const int hash = rest.indexOf(QLatin1Char('#'));
    if (hash >= 0)
        return invalid(a, QCoreApplication::translate("QObject", "地址不能带片段 \"%1\"").arg(rest.mid(hash)));
    const int queryAt = rest.indexOf(QLatin1Char('?'));
    const QString query = queryAt < 0 ? QString() : rest.mid(queryAt + 1);
    rest = rest.left(queryAt < 0 ? rest.size() : queryAt);
    if (rest.endsWith(QLatin1Char('/')))
        rest.chop(1);
    const int at = rest.lastIndexOf(QLatin1Char('@'));
    if (at >= 0)
        return invalid(a, QCoreApplication::translate("QObject", "地址不能带用户名 \"%1\"").arg(rest.left(at + 1)));

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
    if (queryAt < 0)
        return a;
    // A '?' promises options: one left off (a variable that came out empty) is a typing error.
    if (query.isEmpty())
        return invalid(a, QCoreApplication::translate("QObject", "\"?\" 后面没有选项"));
    const QString optionError = a.readOptions(query);
    return optionError.isEmpty() ? a : invalid(a, optionError);
}

QString PortAddress::readOptions(const QString &query)
{
    QStringList seen;
    for (const QString &item : query.split(QLatin1Char('&'), Qt::KeepEmptyParts)) {
        const int equals = item.indexOf(QLatin1Char('='));
        const QString key = QUrl::fromPercentEncoding(item.left(equals < 0 ? item.size() : equals).toUtf8());
        const QString value = equals < 0 ? QString() : QUrl::fromPercentEncoding(item.mid(equals + 1).toUtf8());
        const auto option = std::find_if(std::begin(Options), std::end(Options),
                                         [&key](const Option &o) { return key == QLatin1String(o.key); });
        if (key.isEmpty())
            return QCoreApplication::translate("QObject", "选项名是空的: \"%1\"").arg(item);
        if (option == std::end(Options))
            return QCoreApplication::translate("QObject", "未知选项 %1").arg(key);
        if (seen.contains(key))
            return QCoreApplication::translate("QObject", "选项 %1 出现了两次").arg(key);
        seen << key;
        if (!tls)
            return QCoreApplication::translate("QObject", "选项 %1 只用于 TLS 地址 (+tls)").arg(key);
        if (!option->value) { // a flag: as written alone or as =1
            if (equals >= 0 && value != QLatin1String("1"))
                return QCoreApplication::translate("QObject", "选项 %1 只能写成 %1 或 %1=1").arg(key);
            insecure = true;
        } else if (value.isEmpty()) {
            return QCoreApplication::translate("QObject", "选项 %1= 是空的").arg(key);
        } else if (option->value == &PortAddress::peerName && !plausibleHostName(value)) {
            return QCoreApplication::translate("QObject", "name= 须是证书上的主机名");
        } else {
            this->*(option->value) = value;
        }
    }
    if (certFile.isEmpty() != keyFile.isEmpty())
        return QCoreApplication::translate("QObject", "客户端证书需要 cert= 和 key= 两个文件");
    return QString();
}
