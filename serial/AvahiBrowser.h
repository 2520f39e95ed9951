#pragma once

#include "AvahiQtPoll.h"
#include "DiscoveredUnit.h"

#include <QHash>
#include <QObject>
#include <QSet>

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>

// Browses for _iostream._tcp services through avahi-daemon (over the system D-Bus) and keeps a
// resolver open per service, which reports every change of its address or TXT entries.
class AvahiBrowser : public QObject
{
    Q_OBJECT

public:
    explicit AvahiBrowser(QObject *parent = nullptr);
    ~AvahiBrowser() override;

    void start();
    // The daemon's first answer is in and every service it named has been resolved (or failed).
    bool isSettled() const { return All_For_Now && Pending.isEmpty(); }

signals:
    // A service seen on one interface and protocol (the key says which) was resolved, or changed.
    void resolved(const QString &key, const DiscoveredUnit::Announcement &announcement);
    void removed(const QString &key);
    // The daemon went away: every service is gone until it is back.
    void lost(const QString &reason);
    // Browsing is not possible now (no daemon, no D-Bus); the daemon may still come later.
    void unavailable(const QString &reason);
    void settled();

private:
    static void clientEvent(AvahiClient *client, AvahiClientState state, void *self);
    static void browseEvent(AvahiServiceBrowser *, AvahiIfIndex interface, AvahiProtocol protocol, AvahiBrowserEvent event,
                            const char *name, const char *type, const char *domain, AvahiLookupResultFlags, void *self);
    static void resolveEvent(AvahiServiceResolver *resolver, AvahiIfIndex interface, AvahiProtocol protocol,
                             AvahiResolverEvent event, const char *name, const char *type, const char *domain,
                             const char *host, const AvahiAddress *address, uint16_t port, AvahiStringList *txt,
                             AvahiLookupResultFlags, void *self);
    void connectClient();
    void browse(AvahiClient *client);
    void resolve(AvahiClient *client, const QString &key, AvahiIfIndex interface, AvahiProtocol protocol, const char *name,
                 const char *type, const char *domain, AvahiProtocol addressProtocol);
    void serviceGone(const QString &key);
    void forgetAll();
    void checkSettled();
    QString lastError(AvahiClient *client) const;

    AvahiQtPoll Poll;
    AvahiClient *Client = nullptr;
    AvahiServiceBrowser *Browser = nullptr;
    QHash<QString, AvahiServiceResolver *> Resolvers;
    QSet<QString> Pending; // not yet resolved once
    bool All_For_Now = false;
    bool Told_Full = false;
};
