#include "AvahiBrowser.h"

#include "UnitDiscovery.h"

#include <avahi-common/error.h>

#include <QHostAddress>
#include <QLoggingCategory>
#include <QNetworkInterface>
#include <QTimer>


namespace {
const char *const ServiceType = "_iostream._tcp";
// The second resolver of a service that first answered with an IPv6 address.
const QLatin1String Ipv4Suffix("/ipv4");
constexpr int Ipv4WaitMs = 1500;
constexpr int ReconnectMs = 1000;

QString serviceKey(AvahiIfIndex interface, AvahiProtocol protocol, const char *name, const char *domain)
{
    return QStringLiteral("%1/%2/%3/%4").arg(interface).arg(protocol).arg(QString::fromUtf8(domain), QString::fromUtf8(name));
}
} // namespace

AvahiBrowser::AvahiBrowser(QObject *parent)
    : QObject(parent)
{
}

AvahiBrowser::~AvahiBrowser()
{
    if (Client)
        avahi_client_free(Client); // with its browser and resolvers
}

void AvahiBrowser::start()
{
    if (!Client)
        connectClient();
}

void AvahiBrowser::connectClient()
{
    int error = 0;
    // Without a daemon the client waits for one to appear instead of failing.
    AvahiClient *client = avahi_client_new(Poll.api(), AVAHI_CLIENT_NO_FAIL, &AvahiBrowser::clientEvent, this, &error);
    if (!client) {
        emit unavailable(QStringLiteral("no system D-Bus to reach avahi-daemon on (%1)").arg(QString::fromUtf8(avahi_strerror(error))));
        return;
    }
    Client = client;
}

QString AvahiBrowser::lastError(AvahiClient *client) const
{
    return QString::fromUtf8(avahi_strerror(avahi_client_errno(client)));
}

void AvahiBrowser::clientEvent(AvahiClient *client, AvahiClientState state, void *self)
{
    // Called from inside avahi_client_new too, before Client is set: use the client given.
    auto *b = static_cast<AvahiBrowser *>(self);
    switch (state) {
    case AVAHI_CLIENT_S_RUNNING:
    case AVAHI_CLIENT_S_REGISTERING:
    case AVAHI_CLIENT_S_COLLISION:
        if (!b->Browser)
            b->browse(client);
        break;
    case AVAHI_CLIENT_CONNECTING:
        emit b->unavailable(QStringLiteral("avahi-daemon is not running"));
        break;
    case AVAHI_CLIENT_FAILURE:
        if (avahi_client_errno(client) != AVAHI_ERR_DISCONNECTED) {
            emit b->unavailable(b->lastError(client));
            break;
        }
        // The daemon stopped or the bus went away: what it told us is void; wait for it again.
        b->forgetAll();
        emit b->lost(b->lastError(client));
        QTimer::singleShot(ReconnectMs, b, [b] {
            if (b->Client)
                avahi_client_free(b->Client);
            b->Client = nullptr;
            b->connectClient();
        });
        break;
    }
}

void AvahiBrowser::browse(AvahiClient *client)
{
    Browser = avahi_service_browser_new(client, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, ServiceType, nullptr,
                                        AvahiLookupFlags(0), &AvahiBrowser::browseEvent, this);
    if (!Browser)
        emit unavailable(lastError(client));
    else
        qCInfo(lcDiscovery) << "browsing for" << ServiceType;
}

void AvahiBrowser::browseEvent(AvahiServiceBrowser *browser, AvahiIfIndex interface, AvahiProtocol protocol,
                               AvahiBrowserEvent event, const char *name, const char *type, const char *domain,
                               AvahiLookupResultFlags, void *self)
{
    auto *b = static_cast<AvahiBrowser *>(self);
    AvahiClient *client = avahi_service_browser_get_client(browser);
    switch (event) {
    case AVAHI_BROWSER_NEW: {
        const QString key = serviceKey(interface, protocol, name, domain);
        if (b->Resolvers.contains(key))
            break;
        if (b->Resolvers.size() >= UnitDiscovery::MaxServices) {
            if (!b->Told_Full)
                qCWarning(lcDiscovery) << "more than" << UnitDiscovery::MaxServices << "serial services announced; the rest is ignored";
            b->Told_Full = true;
            break;
        }
        b->resolve(client, key, interface, protocol, name, type, domain, AVAHI_PROTO_UNSPEC);
        break;
    }
    case AVAHI_BROWSER_REMOVE:
        b->serviceGone(serviceKey(interface, protocol, name, domain));
        break;
    case AVAHI_BROWSER_ALL_FOR_NOW:
        b->All_For_Now = true;
        b->checkSettled();
        break;
    case AVAHI_BROWSER_CACHE_EXHAUSTED:
        break;
    case AVAHI_BROWSER_FAILURE:
        emit b->unavailable(b->lastError(client));
        break;
    }
}

void AvahiBrowser::resolve(AvahiClient *client, const QString &key, AvahiIfIndex interface, AvahiProtocol protocol,
                           const char *name, const char *type, const char *domain, AvahiProtocol addressProtocol)
{
    // Kept open: it reports a new address or new TXT entries of the service.
    AvahiServiceResolver *resolver = avahi_service_resolver_new(client, interface, protocol, name, type, domain, addressProtocol,
                                                                AvahiLookupFlags(0), &AvahiBrowser::resolveEvent, this);
    if (!resolver) {
        qCWarning(lcDiscovery) << "cannot resolve" << name << lastError(client);
        return;
    }
    Resolvers.insert(key, resolver);
    Pending.insert(key);
    // The unit is listed already; an IPv6-only host is not waited for the whole resolver timeout.
    if (key.endsWith(Ipv4Suffix))
        QTimer::singleShot(Ipv4WaitMs, this, [this, key] {
            if (Pending.remove(key))
                checkSettled();
        });
}

void AvahiBrowser::resolveEvent(AvahiServiceResolver *resolver, AvahiIfIndex interface, AvahiProtocol protocol,
                                AvahiResolverEvent event, const char *name, const char *type, const char *domain,
                                const char *host, const AvahiAddress *address, uint16_t port, AvahiStringList *txt,
                                AvahiLookupResultFlags, void *self)
{
    auto *b = static_cast<AvahiBrowser *>(self);
    const QString key = b->Resolvers.key(resolver);
    if (key.isEmpty())
        return;
    if (event == AVAHI_RESOLVER_FAILURE) {
        qCInfo(lcDiscovery) << "cannot resolve" << name << b->lastError(avahi_service_resolver_get_client(resolver));
        b->Resolvers.remove(key);
        avahi_service_resolver_free(resolver);
        b->Pending.remove(key);
        b->checkSettled();
        return;
    }
    DiscoveredUnit::Announcement a;
    a.name = QString::fromUtf8(name);
    a.hostName = QString::fromUtf8(host);
    char ip[AVAHI_ADDRESS_STR_MAX] = {};
    avahi_address_snprint(ip, sizeof ip, address);
    a.ip = QString::fromLatin1(ip);
    // A link-local IPv6 address means nothing without the interface it was seen on.
    if (address->proto == AVAHI_PROTO_INET6 && QHostAddress(a.ip).isLinkLocal())
        a.ip += QLatin1Char('%') + QNetworkInterface::interfaceNameFromIndex(interface);
    a.port = port;
    // avahi's list runs last entry first.
    for (AvahiStringList *entry = txt; entry; entry = avahi_string_list_get_next(entry))
        a.txt.prepend(QByteArray(reinterpret_cast<const char *>(avahi_string_list_get_text(entry)),
                                 int(avahi_string_list_get_size(entry))));
    // A host with both kinds of address may answer with either; an IPv4 one, where there is one,
    // is what an installer recognises and what every router passes.
    if (address->proto == AVAHI_PROTO_INET6 && !key.endsWith(Ipv4Suffix) && !b->Resolvers.contains(key + Ipv4Suffix))
        b->resolve(avahi_service_resolver_get_client(resolver), key + Ipv4Suffix, interface, protocol, name, type, domain,
                   AVAHI_PROTO_INET);
    b->Pending.remove(key);
    emit b->resolved(key, a);
    b->checkSettled();
}

void AvahiBrowser::serviceGone(const QString &key)
{
    for (const QString &k : {key, key + Ipv4Suffix}) {
        if (AvahiServiceResolver *resolver = Resolvers.take(k))
            avahi_service_resolver_free(resolver);
        Pending.remove(k);
        emit removed(k);
    }
    checkSettled();
}

void AvahiBrowser::forgetAll()
{
    // The resolvers and the browser die with the client.
    Resolvers.clear();
    Pending.clear();
    Browser = nullptr;
    All_For_Now = false;
}

void AvahiBrowser::checkSettled()
{
    if (isSettled())
        emit settled();
}
