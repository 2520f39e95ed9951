#pragma once

#include "UpgradeSession.h"
#include "protocol/ActionTrace.h"

#include <QObject>

#include <utility>

// The record's view of an upgrade session: a transfer is one "upgrade" action from the start
// request on, with the image's size and SHA-256, the bootloader commands sent (the packages are
// the image's slices), and how far the unit asked. Its owner (the firmware window, a command-line
// job) ends it with the outcome in its own words.
class UpgradeTrace : public QObject
{
    Q_OBJECT

public:
    explicit UpgradeTrace(UpgradeSession &session, QObject *parent = nullptr);

    // The unit the next transfer goes to.
    void setUnit(const QString &key, const QString &firmware);
    // The SHA-256 of the session's image, when the caller has it already (a thousand units share one).
    void setImageSha256(const QString &sha256) { Image_Sha256 = sha256; }
    bool isRunning() const { return Trace.isRunning(); }
    UnitRecord end(const QString &result, const QString &reason) { return Trace.end(result, reason); }
    // A finished transfer's result and reason: "ok", or "failed" and why.
    std::pair<QString, QString> verdict(UpgradeSession::Outcome outcome) const;

signals:
    // A new transfer began while the last one was still open: the session left it silently (an
    // unexpected reply) and the unit gave no verdict.
    void leftOpen(const UnitRecord &record);

private:
    UpgradeSession &Session;
    ActionTrace Trace;
    QString Key;
    QString Firmware;
    QString Image_Sha256;
};
