#pragma once

#include "PortAddress.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// A unit behind a serial device server that announced itself on the local network (DNS-SD
// service type _iostream._tcp, as Debian's ser2net publishes a connection with `mdns: true`):
// its name, how to reach it, and the address the port box and --port take.
struct DiscoveredUnit {
    // One resolved announcement, as the mDNS resolver reports it.
    struct Announcement {
        QString name;       // the service's instance name
        QString hostName;   // the announcing host, "shop-pc.local"
        QString ip;         // the resolved address; an IPv6 link-local one carries its %interface
        quint16 port = 0;
        QList<QByteArray> txt;
    };

    PortAddress::Kind kind = PortAddress::Kind::Rfc2217;
    bool tls = false;
    QString name;
    QString hostName;
    QString ip;
    quint16 port = 0;
    QList<QByteArray> txt;
    QString identity;        // the same unit under a new address keeps it
    bool managementUnit = false;

    // The TXT entry role=tq-management-unit marks a management unit (mdns-txt in ser2net's
    // configuration); other serial services are listed only when asked for.
    static constexpr const char *Role = "tq-management-unit";

    // The unit, or nothing and why when its stack is none we speak or its data is unusable.
    static std::optional<DiscoveredUnit> from(const Announcement &a, QString *why = nullptr);

    // "tq-unit-01 (RFC 2217)": the announced name, control characters made visible, and the link.
    QString label() const;
    // rfc2217://192.0.2.10:7001; a TLS one names the CA file (empty: the system's store) and the
    // host name its certificate must carry: rfc2217+tls://192.0.2.10:7443?ca=FILE&name=shop-pc.local
    QString address(const QString &caFile = QString()) const;
    // The TXT entries as one line, in announced order.
    QString txtText() const;
    // Announced text is anyone's: control and direction-changing characters would garble or
    // disguise an entry or a column, so they are shown as U+FFFD.
    static QString visible(const QString &text);
    // The value of a TXT key, empty when absent.
    QByteArray txtValue(const QByteArray &key) const;
};
