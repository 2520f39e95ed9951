#include "UnitJob.h"

#include "firmware/UpgradeTrace.h"
#include "protocol/StateReply.h"
#include "protocol/Commands.h"
#include "protocol/SettingsBatches.h"
#include "serial/UnitKey.h"
#include "ticket/LogCategories.h"

#include <QDateTime>
#include <QLoggingCategory>

UnitJob::UnitJob(const QString &port, const Plan &plan, QObject *parent)
    : QObject(parent)
    , Job_Plan(plan)
    , Key(UnitKey::ofAddress(port))
{
    Outcome.port = port;
    // "5 s" means 5 s: a coarse timer may fire up to 5 % early.
    Deadline.setSingleShot(true);
    Deadline.setTimerType(Qt::PreciseTimer);
    connect(&Link, &SerialLink::received, this, &UnitJob::received);
    connect(&Link, &SerialLink::lost, this, [this](const QString &reason) { fail(QStringLiteral("port lost: ") + reason); });
    connect(&Link, &SerialLink::connectFailed, this, [this](const QString &reason) {
        fail(QStringLiteral("cannot connect: ") + reason);
    });
    connect(&Link, &SerialLink::warning, this, [this](const QString &text) { Outcome.warnings << text; });
    // The unit's time to answer starts once the link carries data, not during a connect or handshake.
    connect(&Link, &SerialLink::ready, this, [this] {
        setStatus(QStringLiteral("asking for the state"));
        Unit.linkReady();
    });
    connect(&Unit, &UnitSession::sendText, &Link, &SerialLink::sendText);
    connect(&Unit, &UnitSession::asked, this, &UnitJob::stateAsked);
    connect(&Unit, &UnitSession::online, this, &UnitJob::stateKnown);
}

UnitJob::~UnitJob() = default;

QString UnitJob::stepName(Step step)
{
    switch (step) {
    case Step::Ticket:
        return QStringLiteral("ticket");
    case Step::Names:
        return QStringLiteral("names");
    case Step::Parameters:
        return QStringLiteral("params");
    case Step::Clock:
        return QStringLiteral("clock");
    case Step::Reset:
        return QStringLiteral("reset");
    case Step::Upgrade:
        break;
    }
    return QStringLiteral("upgrade");
}

void UnitJob::setStatus(const QString &status)
{
    if (status == Status)
        return;
    Status = status;
    emit changed();
}

void UnitJob::start()
{
    Started = true;
    if (!Link.open(Outcome.port)) {
        fail((Link.isNetwork() ? QStringLiteral("cannot connect: ") : QStringLiteral("cannot open the port: "))
             + Link.openFailure().reason);
        return;
    }
    Unit.opened();
    if (Link.isNetwork()) // a serial port is ready at once
        setStatus(QStringLiteral("connecting"));
}

void UnitJob::stateAsked()
{
    Deadline.disconnect();
    connect(&Deadline, &QTimer::timeout, this, [this] { fail(QStringLiteral("the unit does not answer"), Commands::stateQuery()); });
    Deadline.start(Job_Plan.timeoutMs);
}

void UnitJob::stateKnown(const QString &version)
{
    // A unit may announce its state before it is asked.
    Outcome.answered = true;
    Outcome.version = version.trimmed().left(StateReply::VersionKeptMax);
    Outcome.bootloader = Outcome.version.startsWith(QLatin1String("VB"));
    Deadline.stop();
    nextStep();
}

void UnitJob::received(const QString &text)
{
    if (Done)
        return;
    Unit.received(text);
    // While the transfer runs the session's own response timer watches the unit; once the unit
    // has asked past the image (or the transfer was left), it has the timeout for its verdict.
    if (Session && !Done && !Session->isActive() && !Deadline.isActive())
        Deadline.start(Job_Plan.timeoutMs);
}

void UnitJob::nextStep()
{
    if (Next_Step == Job_Plan.steps.size()) {
        Outcome.ok = true;
        Done = true;
        Unit.closed();
        Link.close();
        setStatus(QStringLiteral("done"));
        emit done();
        return;
    }
    const SettingsCodec::Settings &s = Job_Plan.settings;
    switch (Job_Plan.steps.at(Next_Step)) {
    case Step::Ticket:
        return runBatch(BatchKind::Ticket, SettingsBatches::ticket(s));
    case Step::Names:
        return runBatch(BatchKind::Names, SettingsBatches::typeNames(s));
    case Step::Parameters:
        return runBatch(BatchKind::Params, SettingsBatches::parameters(s, Job_Plan.languageCode));
    case Step::Clock:
        return runBatch(BatchKind::Clock, {Commands::timeSync(QDateTime::currentDateTime())});
    case Step::Reset:
        return runBatch(BatchKind::Reset, {Commands::factoryReset()});
    case Step::Upgrade:
        return runUpgrade();
    }
}

int UnitJob::packageCount() const
{
    return UpgradeSession::packageCount(Job_Plan.image.size());
}

void UnitJob::runBatch(BatchKind kind, const QStringList &commands)
{
    const QString name = stepName(Job_Plan.steps.at(Next_Step++));
    Batch_Name = name;
    dropBatch();
    Batch = new CommandBatch(kind, commands, this);
    if (Batch->commandCount() == 0) { // nothing to send (no type names): the step is over at once
        dropBatch();
        nextStep();
        return;
    }
    Trace.begin(Key, Outcome.version, name);
    if (!Job_Plan.settingsFile.isEmpty() && BatchKinds::fromSettings(kind))
        Trace.setSettingsFile(Job_Plan.settingsFile, Job_Plan.settingsSha256);
    Batch->setTimeout(Job_Plan.timeoutMs);
    Batch_Sent = 0;
    Unit.setBatch(Batch);
    connect(Batch, &CommandBatch::send, this, [this, name, count = commands.size()](const QString &command) {
        Unit.sent();
        Trace.sentText(command);
        Link.sendText(command);
        setStatus(QStringLiteral("%1 %2/%3").arg(name).arg(++Batch_Sent).arg(count));
    });
    connect(Batch, &CommandBatch::completed, this, [this, name] {
        Trace.setBatch(*Batch);
        emit recorded(Trace.end(QStringLiteral("ok"), QString()));
        Outcome.written << name;
        nextStep();
    });
    connect(Batch, &CommandBatch::timedOut, this, [this](const QString &command) {
        fail(QStringLiteral("no acknowledgement within %1 s").arg(Job_Plan.timeoutMs / 1000.0), command);
    });
    Batch->start();
}

void UnitJob::runUpgrade()
{
    ++Next_Step;
    const QString obstacle = Link.upgradeObstacle();
    if (!obstacle.isEmpty())
        return fail(obstacle);
    Session = std::make_unique<UpgradeSession>();
    Unit.setUpgrade(Session.get());
    Upgrade_Trace = std::make_unique<UpgradeTrace>(*Session);
    Upgrade_Trace->setUnit(Key, Outcome.version);
    Upgrade_Trace->setImageSha256(Job_Plan.imageSha256);
    // While the transfer runs the session's own response timer watches the unit; the deadline is for
    // its verdict afterwards (see received()), so a chattering unit cannot keep a job alive.
    connect(Session.get(), &UpgradeSession::sendText, &Link, &SerialLink::sendText);
    connect(Session.get(), &UpgradeSession::sendPackage, this, [this](const QByteArray &package) {
        ++Packages_Sent;
        Link.sendBytes(package);
    });
    connect(Session.get(), &UpgradeSession::progress, this, [this](int done, int total) {
        setStatus(QStringLiteral("upgrade %1/%2").arg(done).arg(total));
    });
    connect(Session.get(), &UpgradeSession::ended, this, &UnitJob::upgradeEnded);
    Deadline.disconnect();
    connect(&Deadline, &QTimer::timeout, this, [this] { fail(QStringLiteral("the unit stopped the transfer")); });
    Session->setImage(Job_Plan.image);
    setStatus(QStringLiteral("upgrade: asking to start"));
    Session->pressUpdate();
}

void UnitJob::upgradeEnded(UpgradeSession::Outcome outcome)
{
    Deadline.stop();
    switch (outcome) {
    case UpgradeSession::Outcome::Upgraded:
        emit recorded(Upgrade_Trace->end(QStringLiteral("ok"), QString()));
        Outcome.written << stepName(Step::Upgrade);
        nextStep();
        return;
    case UpgradeSession::Outcome::Rejected:
        return fail(QStringLiteral("the unit rejected the image"));
    case UpgradeSession::Outcome::NoAnswer:
        return fail(QStringLiteral("no answer within 1 s during the transfer, after %1 packages").arg(Packages_Sent));
    case UpgradeSession::Outcome::TooManyRequests:
    case UpgradeSession::Outcome::EndedEarly:
        return fail(Upgrade_Trace->verdict(outcome).second);
    case UpgradeSession::Outcome::Garbled:
        break;
    }
    fail(QStringLiteral("a reply too short to read during the transfer"));
}

void UnitJob::stop(const QString &why)
{
    fail(why, Batch ? Batch->waitingFor() : QString());
}

void UnitJob::interrupt()
{
    if (Done)
        return;
    QString where;
    if (Session)
        where = QStringLiteral(" after package %1 of %2").arg(Packages_Sent).arg(packageCount());
    else if (Batch && !Batch->isComplete())
        where = QStringLiteral(" after %1 %2 of %3").arg(Batch_Name).arg(Batch->sentCount() - 1).arg(Batch->commandCount());
    else if (!Outcome.answered)
        where = QStringLiteral(" before the unit's state was known");
    stop(QStringLiteral("interrupted") + where);
}

void UnitJob::leaveAlone(const QString &why, bool ok)
{
    if (Done || Started)
        return;
    Done = true;
    Outcome.ok = ok;
    Outcome.notRun = why;
    setStatus(ok ? QStringLiteral("skipped: ") + why : QStringLiteral("not started (%1)").arg(why));
    emit done();
}

double UnitJob::progress() const
{
    if (Done)
        return 1;
    if (!Outcome.answered || Job_Plan.steps.isEmpty())
        return 0;
    double within = 0; // of the step running now
    if (Session)
        within = double(Packages_Sent) / packageCount();
    else if (Batch && Batch->commandCount() > 0)
        within = double(Batch->sentCount()) / Batch->commandCount();
    return (qMax(0, Next_Step - 1) + qMin(within, 1.0)) / Job_Plan.steps.size();
}

// The action running when the job ends goes into the record as it got; a job that ends before
// its first action (the port, the state query) is recorded as that action, failed.
void UnitJob::endAction(const QString &error)
{
    const QString result = error.startsWith(QLatin1String("interrupted")) ? QStringLiteral("interrupted") : QStringLiteral("failed");
    if (Upgrade_Trace && Upgrade_Trace->isRunning()) {
        emit recorded(Upgrade_Trace->end(result, error));
    } else if (Trace.isRunning()) {
        if (Batch)
            Trace.setBatch(*Batch);
        emit recorded(Trace.end(result, error));
    } else if (Started && Next_Step == 0 && !Job_Plan.steps.isEmpty()) {
        Trace.begin(Key, Outcome.version, stepName(Job_Plan.steps.constFirst()));
        emit recorded(Trace.end(result, error));
    }
}

void UnitJob::dropBatch()
{
    if (!Batch)
        return;
    Unit.setBatch(nullptr);
    Batch->disconnect(this);
    Batch->deleteLater();
    Batch = nullptr;
}

void UnitJob::fail(const QString &error, const QString &waitingFor)
{
    if (Done)
        return;
    qCDebug(lcJob) << Outcome.port << error << waitingFor;
    endAction(error);
    Done = true;
    Unit.closed();
    Deadline.stop();
    if (Session)
        Session->abandon();
    dropBatch();
    Link.close();
    Outcome.error = error;
    Outcome.waitingFor = waitingFor;
    setStatus(QStringLiteral("failed: ") + error);
    emit done();
}
