#pragma once

#include "firmware/UpgradeSession.h"
#include "protocol/ActionTrace.h"
#include "protocol/CommandBatch.h"
#include "protocol/UnitSession.h"
#include "serial/SerialLink.h"
#include "ticket/SettingsCodec.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <memory>

class UpgradeTrace;

// One unit on one port: opens it, asks for the unit's state, then runs the verb's steps, each as the
// command batch or firmware transfer the window would run, and gives the unit up when it stops
// answering, when the port goes away, or when the operator interrupts.
class UnitJob : public QObject
{
    Q_OBJECT

public:
    enum class Step { Ticket, Names, Parameters, Clock, Reset, Upgrade };

    struct Plan {
        QList<Step> steps; // after the state query; none for the state verb
        SettingsCodec::Settings settings;
        QByteArray image;
        QString imageSha256;
        int languageCode = 0;
        int timeoutMs = 5000;
        QString settingsFile; // apply: the file, recorded with the parts taken from it
        QString settingsSha256;
    };

    struct Result {
        QString port;
        QString version; // as the unit sent it, which may be blank
        bool answered = false; // the unit gave its state
        bool bootloader = false;
        QStringList written; // the steps the unit acknowledged, by name
        bool ok = false;
        QString error;
        QString waitingFor; // the command the unit did not acknowledge, when it was given up
        QStringList warnings; // about the link: no certificate check, a telnet server, an open key
        QString notRun; // why the unit was left alone (ok: it had it already; else never started)
    };

    UnitJob(const QString &port, const Plan &plan, QObject *parent = nullptr);
    ~UnitJob() override;

    void start();
    // Ends the job with this reason, whatever it was doing (Ctrl+C, or nothing to send).
    void stop(const QString &why);
    // Ends the job for the operator (Ctrl+C, SIGTERM, SIGHUP), saying how far it got.
    void interrupt();
    // Leaves the unit alone: never started (a roll-out stopped), or, with ok, it has it already.
    void leaveAlone(const QString &why, bool ok);
    bool isDone() const { return Done; }
    bool isStarted() const { return Started; }
    // The unit's name in the record: its address's key unless the caller names it otherwise.
    void setUnitKey(const QString &key) { Key = key; }
    QString unitKey() const { return Key; }
    // How much of its work is done, 0 to 1.
    double progress() const;
    const Result &result() const { return Outcome; }
    // One line of progress: what the unit is doing now.
    QString status() const { return Status; }

    static QString stepName(Step step);

signals:
    void changed();
    void done();
    // An action on the unit ended: the record's line, without its stamp.
    void recorded(const UnitRecord &record);

private:
    void received(const QString &text);
    void stateAsked();
    void stateKnown(const QString &version);
    void nextStep();
    void runBatch(BatchKind kind, const QStringList &commands);
    void runUpgrade();
    void upgradeEnded(UpgradeSession::Outcome outcome);
    void fail(const QString &error, const QString &waitingFor = QString());
    void endAction(const QString &error);
    void dropBatch();
    void setStatus(const QString &status);
    int packageCount() const;

    Plan Job_Plan;
    Result Outcome;
    SerialLink Link;
    // The state query and where the unit's texts go; a repeated state reply is dropped, so an
    // acknowledgement it follows still counts and a transfer never sees one.
    UnitSession Unit{UnitSession::StateReplies::TakenOnce};
    QTimer Deadline;
    int Next_Step = 0;
    QString Batch_Name;
    CommandBatch *Batch = nullptr; // replaced per step; an old one goes when its signal has returned
    int Batch_Sent = 0;
    std::unique_ptr<UpgradeSession> Session;
    std::unique_ptr<UpgradeTrace> Upgrade_Trace;
    ActionTrace Trace; // the batch running now
    QString Key;
    bool Started = false;
    int Packages_Sent = 0;
    QString Status;
    bool Done = false;
};
