#include "DiscoverPorts.h"

#include "Report.h"
#include "serial/PortList.h"
#include "serial/UnitDiscovery.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <cstdio>

namespace {
void printRow(const QString &port, const QString &name, const QString &txt)
{
    // UTF-8 whatever the locale: announced names may be Chinese.
    const QString line = QStringList{port, Report::escaped(name), Report::escaped(txt)}.join(QLatin1Char('\t'));
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
}
} // namespace

int DiscoverPorts::run(const Options &o)
{
    UnitDiscovery discovery;
    discovery.setShowAll(o.all);
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&discovery, &UnitDiscovery::unavailable, &loop, &QEventLoop::quit);
    if (!o.waitGiven)
        QObject::connect(&discovery, &UnitDiscovery::settled, &loop, &QEventLoop::quit);
    discovery.start();
    if (discovery.problem().isEmpty()) {
        deadline.start(o.waitMs);
        loop.exec();
    }

    const QList<PortList::Port> ports = PortList::available();
    const QList<DiscoveredUnit> units = discovery.units();
    QJsonArray list;
    if (!o.json)
        std::printf("PORT\tNAME\tTXT\n");
    for (const PortList::Port &p : ports) {
        list.append(QJsonObject{{QStringLiteral("port"), p.location},
                                {QStringLiteral("name"), p.manufacturer},
                                {QStringLiteral("device"), p.device},
                                {QStringLiteral("discovered"), false}});
        if (!o.json)
            printRow(p.location, p.manufacturer, QString());
    }
    for (const DiscoveredUnit &u : units) {
        const QString address = u.address(o.caFile);
        QJsonArray txt;
        for (const QByteArray &entry : u.txt)
            txt.append(QString::fromUtf8(entry));
        list.append(QJsonObject{{QStringLiteral("port"), address},
                                {QStringLiteral("name"), u.name},
                                {QStringLiteral("txt"), txt},
                                {QStringLiteral("host"), u.hostName},
                                {QStringLiteral("managementUnit"), u.managementUnit},
                                {QStringLiteral("discovered"), true}});
        if (!o.json)
            printRow(address, u.name, u.txtText());
    }
    if (o.json)
        std::fputs(QJsonDocument(list).toJson(QJsonDocument::Indented).constData(), stdout);
    std::fflush(stdout);
    if (!discovery.problem().isEmpty()) {
        std::fprintf(stderr, "tqmanage-cli: no units discovered: %s\n", discovery.problem().toUtf8().constData());
        return 1;
    }
    if (!o.waitGiven && !discovery.isSettled())
        std::fprintf(stderr, "tqmanage-cli: the network was still answering after %g s; --wait S looks longer\n",
                     o.waitMs / 1000.0);
    return 0;
}
