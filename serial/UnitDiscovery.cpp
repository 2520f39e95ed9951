#include "UnitDiscovery.h"

#ifdef TQ_HAVE_AVAHI
#include "AvahiBrowser.h"
#include "ticket/LogCategories.h"
#endif

#include <QHostAddress>

#include <algorithm>
#include <tuple>

namespace {
// IPv4 first, then a routable IPv6 address, a link-local one last.
int reachability(const DiscoveredUnit &u)
{
    const QHostAddress ip(u.ip);
    if (ip.protocol() == QAbstractSocket::IPv4Protocol)
        return 0;
    return ip.isLinkLocal() ? 2 : 1;
}

bool sameList(const QList<DiscoveredUnit> &a, const QList<DiscoveredUnit> &b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(), [](const DiscoveredUnit &x, const DiscoveredUnit &y) {
        return x.label() == y.label() && x.address() == y.address() && x.txt == y.txt;
    });
}
} // namespace

UnitDiscovery::UnitDiscovery(QObject *parent)
    : QObject(parent)
{
}

UnitDiscovery::~UnitDiscovery() = default;

bool UnitDiscovery::isBuiltIn()
{
#ifdef TQ_HAVE_AVAHI
    return true;
#else
    return false;
#endif
}

void UnitDiscovery::start()
{
    if (Started)
        return;
    Started = true;
#ifdef TQ_HAVE_AVAHI
    Browser = new AvahiBrowser(this);
    connect(Browser, &AvahiBrowser::resolved, this, &UnitDiscovery::serviceResolved);
    connect(Browser, &AvahiBrowser::removed, this, &UnitDiscovery::serviceRemoved);
    connect(Browser, &AvahiBrowser::lost, this, [this](const QString &reason) {
        setProblem(reason);
        allRemoved();
    });
    connect(Browser, &AvahiBrowser::unavailable, this, &UnitDiscovery::setProblem);
    connect(Browser, &AvahiBrowser::settled, this, [this] {
        Problem.clear();
        if (!Settled) {
            Settled = true;
            emit settled();
        }
    });
    Browser->start();
#else
    setProblem(QStringLiteral("this build has no service discovery"));
#endif
}

void UnitDiscovery::setProblem(const QString &reason)
{
    qCInfo(lcDiscovery) << "no units can be discovered now:" << reason;
    Problem = reason;
    emit unavailable(reason);
}

QList<DiscoveredUnit> UnitDiscovery::units() const
{
    QHash<QString, DiscoveredUnit> best;
    for (const DiscoveredUnit &u : Services) {
        if (!u.managementUnit && !Show_All)
            continue;
        const auto known = best.constFind(u.identity);
        const auto order = [](const DiscoveredUnit &x) { return std::make_tuple(reachability(x), x.address(), x.label()); };
        if (known == best.cend() || order(u) < order(*known))
            best.insert(u.identity, u);
    }
    QList<DiscoveredUnit> list = best.values();
    std::sort(list.begin(), list.end(), [](const DiscoveredUnit &a, const DiscoveredUnit &b) {
        return std::make_tuple(a.name, a.label(), a.identity) < std::make_tuple(b.name, b.label(), b.identity);
    });
    return list;
}

void UnitDiscovery::serviceResolved(const QString &key, const DiscoveredUnit::Announcement &announcement)
{
    const QList<DiscoveredUnit> before = units();
    QString why;
    const auto unit = DiscoveredUnit::from(announcement, &why);
    if (!unit) {
        qCInfo(lcDiscovery) << "not listed:" << announcement.name << why;
        Services.remove(key);
    } else {
        qCDebug(lcDiscovery) << "found" << unit->label() << unit->address() << unit->txtText();
        Services.insert(key, *unit);
    }
    changedFrom(before);
}

void UnitDiscovery::serviceRemoved(const QString &key)
{
    const QList<DiscoveredUnit> before = units();
    Services.remove(key);
    changedFrom(before);
}

void UnitDiscovery::allRemoved()
{
    const QList<DiscoveredUnit> before = units();
    Services.clear();
    changedFrom(before);
}

void UnitDiscovery::changedFrom(const QList<DiscoveredUnit> &before)
{
    if (!sameList(before, units()))
        emit unitsChanged();
}
