#include "UnitJob.h"

#include "protocol/StateReply.h"
#include "protocol/Commands.h"
#include "protocol/SettingsBatches.h"

#include <QDateTime>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcJob, "tq.cli")

UnitJob::UnitJob(const QString &port, const Plan &plan, QObject *parent)
    : QObject(parent)
    , Job_Plan(plan)
{
    Outcome.port = port;
    // "5 s" means 5 s: a coarse timer may fire up to 5 % early.
    Deadline.setSingleShot(true);
    Deadline.setTimerType(Qt::PreciseTimer);
    State_Repeat.setTimerType(Qt::PreciseTimer);
    connect(&Link, &SerialLink::received, this, &UnitJob::received);
    connect(&Link, &SerialLink::lost, this, [this](const QString &reason) { fail(QStringLiteral("port lost: ") + reason); });
    connect(&Link, &SerialLink::connectFailed, this, [this](const QString &reason) {
        fail(QStringLiteral("cannot connect: ") + reason);
    });
    connect(&Link, &SerialLink::warning, this, [this](const QString &text) { Outcome.warnings << text; });
    // The unit's time to answer starts once the link carries data, not during a connect or handshake.
    connect(&Link, &SerialLink::ready, this, [this] {
        setStatus(QStringLiteral("asking for the state"));
        // Strictly after the delay, as the window waits.
        QTimer::singleShot(Commands::StateQueryDelayMs + 1, Qt::PreciseTimer, this, &UnitJob::askState);
    });
    connect(&State_Repeat, &QTimer::timeout, this, [this] { Link.sendText(Commands::stateQuery()); });
}

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
    if (!Link.open(Outcome.port)) {
        fail((Link.isNetwork() ? QStringLiteral("cannot connect: ") : QStringLiteral("cannot open the port: "))
             + Link.openFailure().reason);
        return;
    }
    if (Link.isNetwork()) // a serial port is ready at once
        setStatus(QStringLiteral("connecting"));
}

void UnitJob::askState()
{
    if (Done || State_Known) // a unit may announce its state before it is asked
        return;
    Link.sendText(Commands::stateQuery());
    State_Repeat.start(Commands::StateQueryRepeatMs);
    Deadline.disconnect();
    connect(&Deadline, &QTimer::timeout, this, [this] { fail(QStringLiteral("the unit does not answer"), Commands::stateQuery()); });
    Deadline.start(Job_Plan.timeoutMs);
}

void UnitJob::received(const QString &text)
{
    if (Done)
        return;
    const auto version = stateReplyVersion(text);
    if (State_Known && version) {
        // Said again unasked: neither an acknowledgement nor a reason to fail.
        qCDebug(lcJob) << Outcome.port << "state reply ignored" << text;
        return;
    }
    Rx_Text = text; // a batch polls it, as the batch window polls the device page's
    if (!State_Known) {
        if (version) {
            State_Known = true;
            Outcome.answered = true;
            Outcome.version = version->trimmed().left(StateReply::VersionKeptMax);
            Outcome.bootloader = Outcome.version.startsWith(QLatin1String("VB"));
            State_Repeat.stop();
            Deadline.stop();
            nextStep();
        }
        return;
    }
    if (Session)
        Session->handle(text);
}

void UnitJob::nextStep()
{
    if (Next_Step == Job_Plan.steps.size()) {
        Outcome.ok = true;
        Done = true;
        Link.close();
        setStatus(QStringLiteral("done"));
        emit done();
        return;
    }
    const SettingsCodec::Settings &s = Job_Plan.settings;
    switch (Job_Plan.steps.at(Next_Step)) {
    case Step::Ticket:
        return runBatch("Print_Write_Push", SettingsBatches::ticket(s));
    case Step::Names:
        return runBatch("TYPE_PB_SET", SettingsBatches::typeNames(s));
    case Step::Parameters:
        return runBatch("PB_ID_sned", SettingsBatches::parameters(s, Job_Plan.languageCode));
    case Step::Clock:
        return runBatch("PB_Time_syn_sned", {Commands::timeSync(QDateTime::currentDateTime())});
    case Step::Reset:
        return runBatch("PB_Rec_sned", {Commands::factoryReset()});
    case Step::Upgrade:
        return runUpgrade();
    }
}

int UnitJob::packageCount() const
{
    return UpgradeSession::packageCount(Job_Plan.image.size());
}

void UnitJob::runBatch(const char *kind, const QStringList &commands)
{
    const QString name = stepName(Job_Plan.steps.at(Next_Step++));
    Batch_Name = name;
    if (commands.isEmpty()) { // nothing to send (no type names): the step is over at once
        nextStep();
        return;
    }
    dropBatch();
    for (int i = 0; i < BatchSlots; ++i)
        Batch_List[i] = commands.value(i);
    Batch = new CommandBatch(Batch_List, &Rx_Text, QLatin1String(kind), this);
    Batch->setTimeout(Job_Plan.timeoutMs);
    Batch_Sent = 0;
    connect(Batch, &CommandBatch::send, this, [this, name, count = commands.size()](const QString &command) {
        Rx_Text.clear();
        Link.sendText(command);
        setStatus(QStringLiteral("%1 %2/%3").arg(name).arg(++Batch_Sent).arg(count));
    });
    connect(Batch, &CommandBatch::completed, this, [this, name] {
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
    // The unit drives the transfer: silence this long after the tool's last word ends it. Texts that
    // get no answer (a chattering unit) do not keep it alive.
    connect(Session.get(), &UpgradeSession::sendText, this, [this](const QString &text) {
        Deadline.start(Job_Plan.timeoutMs);
        Link.sendText(text);
    });
    connect(Session.get(), &UpgradeSession::sendPackage, this, [this](const QByteArray &package) {
        Deadline.start(Job_Plan.timeoutMs);
        ++Packages_Sent;
        Link.sendBytes(package);
    });
    connect(Session.get(), &UpgradeSession::progress, this, [this](int done, int total) {
        setStatus(QStringLiteral("upgrade %1/%2").arg(done).arg(total));
    });
    connect(Session.get(), &UpgradeSession::ended, this, &UnitJob::upgradeEnded);
    Deadline.disconnect();
    connect(&Deadline, &QTimer::timeout, this, [this] { fail(QStringLiteral("the unit stopped the transfer")); });
    Deadline.start(Job_Plan.timeoutMs);
    Session->setImage(Job_Plan.image);
    setStatus(QStringLiteral("upgrade: asking to start"));
    Session->pressUpdate();
}

void UnitJob::upgradeEnded(UpgradeSession::Outcome outcome)
{
    Deadline.stop();
    switch (outcome) {
    case UpgradeSession::Outcome::Upgraded:
        Outcome.written << stepName(Step::Upgrade);
        nextStep();
        return;
    case UpgradeSession::Outcome::Rejected:
        return fail(QStringLiteral("the unit rejected the image"));
    case UpgradeSession::Outcome::NoAnswer:
        return fail(QStringLiteral("no answer within 1 s during the transfer, after %1 packages").arg(Packages_Sent));
    case UpgradeSession::Outcome::TooManyRequests:
        return fail(QStringLiteral("the unit asked for %1 packages of an image of %2")
                        .arg(Session->requestCount())
                        .arg(packageCount()));
    case UpgradeSession::Outcome::EndedEarly:
        return fail(QStringLiteral("the unit reported success before it had the image (%1 of %2 packages sent): "
                                   "the upgrade did not finish")
                        .arg(Session->packagesSent())
                        .arg(packageCount()));
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
    else if (!State_Known)
        where = QStringLiteral(" before the unit's state was known");
    stop(QStringLiteral("interrupted") + where);
}

void UnitJob::dropBatch()
{
    if (!Batch)
        return;
    Batch->disconnect(this);
    Batch->deleteLater();
    Batch = nullptr;
}

void UnitJob::fail(const QString &error, const QString &waitingFor)
{
    if (Done)
        return;
    qCDebug(lcJob) << Outcome.port << error << waitingFor;
    Done = true;
    State_Repeat.stop();
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
