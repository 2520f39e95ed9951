#pragma once

#include "SerialLink.h"
#include "ticket/LogCategories.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QObject>

// How SerialLink reaches the unit: a local serial port, or a serial device server over TCP or TLS.
// Everything above it (framing, texts, the window, the command line) never knows which one runs.
class LinkTransport : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Starts the link. A serial port is open on return; a network link may still be connecting,
    // and what is written meanwhile waits until the server is reached (and verified).
    virtual bool open(SerialLink::Failure *failure) = 0;
    virtual void write(const QByteArray &bytes) = 0;
    virtual QByteArray readAll() = 0;
    // Takes in what the system already holds but has not announced yet; true when anything came.
    virtual bool readPending() { return false; }
    // Network links frame replies by their line ends, since a reply may come in pieces.
    virtual bool isNetwork() const = 0;
    // Why no firmware image should go over this link; empty when it may.
    virtual QString upgradeObstacle() const { return QString(); }

signals:
    void readyRead();
    // Data flows: a serial port right after the open, a server once it is reached, verified (TLS)
    // and has set the line (RFC 2217).
    void up();
    // The link is gone (unplugged, refused, dropped); the transport is closed already.
    void failed(const QString &reason);
    // Something the operator should know about the link; no failure.
    void warning(const QString &text);
};
