#pragma once

#include "BurstGap.h"

#include <QByteArray>
#include <QObject>

#include <functional>

class QSocketNotifier;

// The unit's end of a pseudo-terminal in raw mode. Received bytes are framed by a short quiet gap.
class PtyPort : public QObject
{
public:
    explicit PtyPort(QObject *parent = nullptr);
    ~PtyPort() override;

    bool open(QString *error);
    QString slavePath() const { return Slave_Path; }
    void write(const QByteArray &bytes);
    void setBurstHandler(std::function<void(const QByteArray &)> handler) { Bursts.setHandler(std::move(handler)); }

private:
    void readAvailable();

    int Master = -1;
    int Slave_Keep = -1; // keeps the slave side open so a client's close is no hang-up for us
    QString Slave_Path;
    QSocketNotifier *Notifier = nullptr;
    BurstGap Bursts;
};
