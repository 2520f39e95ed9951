#pragma once

#include <QString>

// What the port box or --port names: a local serial port (a device path, a by-id name, COM3) or a
// unit behind a serial device server, written as serial tools write it:
//   rfc2217://HOST:PORT, socket://HOST:PORT, rfc2217+tls://HOST:PORT?ca=FILE&cert=FILE&key=FILE&name=NAME
// An IPv6 host is written in brackets: rfc2217://[::1]:7001.
struct PortAddress {
    enum class Kind { Serial, RawTcp, Rfc2217 };

    Kind kind = Kind::Serial;
    bool tls = false;
    QString text; // as written
    QString host;
    quint16 port = 0;
    QString caFile;   // empty: the system's trust store
    QString certFile; // a client certificate, with its key
    QString keyFile;
    QString peerName; // name=: the host name the server's certificate must carry (host is an IP address)
    bool insecure = false; // TLS without verifying the server; reported on every use
    QString error;         // why the text is no address, in the operator's language

    bool isNetwork() const { return kind != Kind::Serial; }
    bool isValid() const { return error.isEmpty(); }
    // host:port, with brackets around an IPv6 host.
    QString endpoint() const;
    // rfc2217, socket, rfc2217+tls or socket+tls.
    QString scheme() const;
    // What a list or a table shows: scheme://host:port for an address (its options, files
    // included, stay in the tooltip and the JSON), anything else as written.
    QString shown() const;

    // Surrounding spaces are no part of the text. A '?' is followed by options; every one is known,
    // given once, not empty, and only on a TLS address; no user@ and no #fragment.
    static PortAddress parse(const QString &text);
    // A text that is meant as a network address (it names a scheme), valid or not.
    static bool looksRemote(const QString &text);

private:
    // Why the query is refused; empty when every option was taken.
    QString readOptions(const QString &query);
};
