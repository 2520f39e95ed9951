#pragma once

#include "DiscoveredUnit.h"
#include "ticket/LogCategories.h"

#include <QHash>
#include <QList>
#include <QLoggingCategory>
#include <QObject>

class AvahiBrowser;

// The units that announce themselves on the local network, kept up to date while browsing runs.
// Without an mDNS daemon (avahi), without a system bus, or in a build without discovery the list
// simply stays empty and the reason is logged: nothing here ever blocks or shows a box.
class UnitDiscovery : public QObject
{
    Q_OBJECT

public:
    explicit UnitDiscovery(QObject *parent = nullptr);
    ~UnitDiscovery() override;

    // Every serial service this tool can speak to, not only those marked as management units.
    void setShowAll(bool all) { Show_All = all; }
    // False in a build without discovery (no avahi where it was built).
    static bool isBuiltIn();
    // Starts browsing once; what is found arrives through unitsChanged.
    void start();
    bool isStarted() const { return Started; }
    // Why nothing can be found now (empty while browsing works).
    QString problem() const { return Problem; }
    // The daemon's first answer is in and every service it named has been looked up.
    bool isSettled() const { return Settled; }

    // One entry per unit, by name: a unit seen on several interfaces or over IPv4 and IPv6 is
    // reached by IPv4 where it can be.
    QList<DiscoveredUnit> units() const;

    // A hostile network could announce without end; past this many services the browser ignores
    // the rest.
    static constexpr int MaxServices = 256;

    // What the browser reports, keyed by service as seen on one interface and protocol.
    void serviceResolved(const QString &key, const DiscoveredUnit::Announcement &announcement);
    void serviceRemoved(const QString &key);
    void allRemoved();

signals:
    void unitsChanged();
    void settled();
    void unavailable(const QString &reason);

private:
    void setProblem(const QString &reason);
    void changedFrom(const QList<DiscoveredUnit> &before);

    AvahiBrowser *Browser = nullptr;
    QHash<QString, DiscoveredUnit> Services;
    QString Problem;
    bool Show_All = false;
    bool Started = false;
    bool Settled = false;
};
