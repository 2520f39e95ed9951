#include "UpgradeTrace.h"

#include "protocol/Commands.h"

UpgradeTrace::UpgradeTrace(UpgradeSession &session, QObject *parent)
    : QObject(parent)
    , Session(session)
{
    connect(&Session, &UpgradeSession::sendText, this, [this](const QString &text) {
        if (text == Commands::upgradeStart()) {
            if (Trace.isRunning())
                emit leftOpen(Trace.end(QStringLiteral("interrupted"), QStringLiteral("the transfer stopped without a verdict")));
            Trace.begin(Key, Firmware, QStringLiteral("upgrade"));
            // The transfer's image from here on; its size and SHA-256 stand for the packages cut from it.
            Trace.setImage(Session.image().size(), Image_Sha256.isEmpty() ? ActionTrace::sha256(Session.image()) : Image_Sha256);
            Trace.setPackages(0, UpgradeSession::packageCount(Session.image().size()));
        }
        if (Trace.isRunning())
            Trace.sentText(text);
    });
    connect(&Session, &UpgradeSession::progress, this, [this](int done, int total) {
        if (Trace.isRunning())
            Trace.setPackages(done, total);
    });
}

void UpgradeTrace::setUnit(const QString &key, const QString &firmware)
{
    Key = key;
    Firmware = firmware;
}

std::pair<QString, QString> UpgradeTrace::verdict(UpgradeSession::Outcome outcome) const
{
    const int packages = UpgradeSession::packageCount(Session.image().size());
    switch (outcome) {
    case UpgradeSession::Outcome::Upgraded:
        return {QStringLiteral("ok"), QString()};
    case UpgradeSession::Outcome::Rejected:
        return {QStringLiteral("failed"), QStringLiteral("the unit rejected the image")};
    case UpgradeSession::Outcome::NoAnswer:
        return {QStringLiteral("failed"), QStringLiteral("no answer within 1 s during the transfer")};
    case UpgradeSession::Outcome::TooManyRequests:
        return {QStringLiteral("failed"),
                QStringLiteral("the unit asked for %1 packages of an image of %2").arg(Session.requestCount()).arg(packages)};
    case UpgradeSession::Outcome::EndedEarly:
        return {QStringLiteral("failed"), QStringLiteral("the unit reported success before it had the image (%1 of %2 "
                                                         "packages sent): the upgrade did not finish")
                                              .arg(Session.packagesSent())
                                              .arg(packages)};
    case UpgradeSession::Outcome::Garbled:
        break;
    }
    return {QStringLiteral("failed"), QStringLiteral("a reply too short to read during the transfer")};
}
