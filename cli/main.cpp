// tqmanage-cli: sets up many queue-management units at once from the command line.
#include "CliOptions.h"
#include "DiscoverPorts.h"
#include "FileLimit.h"
#include "RecordQuery.h"
#include "Report.h"
#include "Rollout.h"
#include "UnitJob.h"
#include "ticket/Language.h"
#include "ticket/RecordFile.h"
#include "firmware/FirmwareImage.h"
#include "protocol/ActionTrace.h"
#include "serial/PortList.h"
#include "ticket/LoadProblem.h"
#include "ticket/SettingsCodec.h"
#include "ticket/SettingsFile.h"
#include "ticket/Version.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QTimer>
#include <QTranslator>

#include <atomic>
#include <csignal>
#include <cstdio>
#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace {
std::atomic<bool> Interrupted{false};

int listPorts(bool json)
{
    const QList<PortList::Port> ports = PortList::available();
    QJsonArray list;
    if (!json)
        std::printf("PORT\tMANUFACTURER\tDEVICE\n");
    for (const PortList::Port &p : ports) {
        list.append(QJsonObject{{QStringLiteral("location"), p.location},
                                {QStringLiteral("manufacturer"), p.manufacturer},
                                {QStringLiteral("device"), p.device}});
        if (!json)
            std::printf("%s\t%s\t%s\n", qPrintable(p.location), qPrintable(p.manufacturer), qPrintable(p.device));
    }
    if (json)
        std::fputs(QJsonDocument(list).toJson(QJsonDocument::Indented).constData(), stdout);
    return 0;
}

// What the verb does to each unit; an empty reason means the plan is good.
UnitJob::Plan plan(const CliOptions &o, QString *refused, QString *warning)
{
    UnitJob::Plan plan;
    plan.timeoutMs = o.timeoutMs;
    // The unit speaks the language asked for, else the user's choice in the window.
    plan.languageCode = o.unitLanguage >= 0 ? o.unitLanguage : Read_Language(true);
    using Step = UnitJob::Step;
    if (o.verb == CliOptions::Verb::Reset)
        plan.steps = {Step::Reset};
    if (o.verb == CliOptions::Verb::Upgrade) {
        const FirmwareImage image = FirmwareImage::load(o.file);
        *refused = LoadProblem::notSent(o.file, LoadProblem::of({image.problem, {}, image.fileSize}, FirmwareImage::MaxSize));
        plan.image = image.data;
        plan.imageSha256 = ActionTrace::sha256(image.data);
        plan.steps = {Step::Upgrade};
    }
    if (o.verb == CliOptions::Verb::Apply) {
        // Judged as the window judges it; unattended, a file that is no settings file at all, or one
        // with a format error, is refused rather than sent in part or as defaults.
        const SettingsFile::Loaded file = SettingsFile::load(o.file);
        *refused = LoadProblem::notSent(o.file, file.refused);
        if (refused->isEmpty() && !file.errors.isEmpty())
            *refused = LoadProblem::formatErrors(file.errors);
        else if (refused->isEmpty() && !file.decoded.missing.isEmpty())
            *warning = QStringLiteral("%1 lacks %2: sent as empty or 0").arg(o.file, file.decoded.missing.join(QStringLiteral(", ")));
        plan.settings = file.decoded.settings;
        plan.settingsFile = QFileInfo(o.file).absoluteFilePath();
        plan.settingsSha256 = ActionTrace::sha256(file.content.data);
        const auto wanted = [&o](const char *part) { return o.only.isEmpty() || o.only.contains(QLatin1String(part)); };
        if (wanted("ticket"))
            plan.steps << Step::Ticket;
        if (wanted("names"))
            plan.steps << Step::Names;
        if (wanted("params"))
            plan.steps << Step::Parameters;
        if (o.clock)
            plan.steps << Step::Clock;
    }
    return plan;
}
} // namespace

int main(int argc, char *argv[])
{
    // Qt's own event loop rather than GLib's: GLib walks a list of every socket whenever one of a
    // thousand units' sockets starts or stops waiting to write.
    qputenv("QT_NO_GLIB", "1");
    QCoreApplication app(argc, argv);
    // The window's name: the same per-user language and configuration folder.
    QCoreApplication::setApplicationName(QStringLiteral("tqmanage"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TQ_VERSION));
    const CliOptions o = CliOptions::parse(QCoreApplication::arguments());
    switch (o.outcome) {
    case CliOptions::Outcome::Help:
    case CliOptions::Outcome::Version:
        std::printf("%s\n", qPrintable(o.message));
        return 0;
    case CliOptions::Outcome::UsageError:
        std::fprintf(stderr, "tqmanage-cli: %s\n(try tqmanage-cli --help)\n", qPrintable(o.message));
        return CliOptions::UsageExitCode;
    case CliOptions::Outcome::Run:
        break;
    }
    // The report is the operator's; the tq.* log only when asked for.
    if (!o.verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("tq.*=false"));
    if (o.verb == CliOptions::Verb::Ports && o.discover)
        return DiscoverPorts::run({o.json, o.all, o.waitMs, o.waitGiven, o.caFile});
    if (o.verb == CliOptions::Verb::Ports)
        return listPorts(o.json);
    const QString recordPath = o.record.isEmpty() ? RecordFile::defaultPath() : o.record;
    const auto format = o.json ? RecordQuery::Format::Json : o.csv ? RecordQuery::Format::Csv : RecordQuery::Format::Table;
    if (o.verb == CliOptions::Verb::History)
        return RecordQuery::history(recordPath, {o.ports, o.since}, format, stdout, stderr);
    if (o.verb == CliOptions::Verb::Inventory)
        return RecordQuery::inventory(recordPath, format, stdout, stderr);
    const long fileLimit = FileLimit::raiseToHard();
    // The link's reasons (a refused or unverified server) in the report's language.
    QTranslator english;
    if (english.load(QStringLiteral(":/Res/LANG_English.qm")))
        QCoreApplication::installTranslator(&english);

    QString refused;
    QString fileWarning;
    const UnitJob::Plan work = plan(o, &refused, &fileWarning);
    QList<UnitJob *> jobs;
    std::unique_ptr<RecordFile> record;
    if (o.acts())
        record = std::make_unique<RecordFile>(recordPath, QStringLiteral("tqmanage-cli"));
    for (const QString &port : o.ports) {
        jobs << new UnitJob(port, work, &app);
        if (o.unitNames.contains(port)) // found on the network: its name stays when its address changes
            jobs.last()->setUnitKey(o.unitNames.value(port));
        if (record)
            QObject::connect(jobs.last(), &UnitJob::recorded, record.get(), [&record](const UnitRecord &r) { record->append(r); });
    }
    // With --verbose the log shares the terminal: lines redrawn in place would overwrite it.
#ifdef Q_OS_UNIX
    const bool terminal = ::isatty(fileno(stderr)) && !o.verbose;
    winsize size{};
    const bool sized = ::ioctl(fileno(stderr), TIOCGWINSZ, &size) == 0;
    const int columns = sized && size.ws_col > 0 ? size.ws_col : 80;
    const int rows = sized ? size.ws_row : 0;
#else
    const bool terminal = false;
    const int columns = 80;
    const int rows = 0;
#endif
    Report report(o.verbName, jobs, stderr, terminal);
    report.setWidth(columns);
    report.setHeight(rows);
    // Each unit holds a port or a socket; past the limit the last ones could not be opened.
    if (fileLimit > 0 && o.ports.size() + 64 > fileLimit)
        report.addWarning(QStringLiteral("%1 units, but this process may open only %2 files; raise the hard limit "
                                         "(ulimit -Hn) or name fewer units at once")
                              .arg(o.ports.size()).arg(fileLimit));
    if (refused.isEmpty() && work.steps.contains(UnitJob::Step::Parameters)) {
        const QString language = CliOptions::languageName(work.languageCode);
        report.setUnitLanguage(language);
#ifdef Q_OS_UNIX
        if (o.unitLanguage < 0 && ::geteuid() == 0)
            report.addWarning(QStringLiteral("run as root without --unit-language: the units were given root's language "
                                             "setting (%1), not yours")
                                  .arg(language));
#endif
    }
    if (!fileWarning.isEmpty())
        report.addWarning(fileWarning);
    if (!refused.isEmpty()) {
        report.setError(refused); // said once, not once per unit
        for (UnitJob *job : qAsConst(jobs))
            job->stop(QStringLiteral("not sent"));
        return report.finish(o.json, stdout);
    }
    if (o.resume) {
        QStringList skipped;
        const auto upgraded = RecordQuery::upgradedWith(recordPath, work.imageSha256, &skipped);
        for (const QString &line : qAsConst(skipped))
            report.addWarning(QStringLiteral("--resume: ") + line);
        for (UnitJob *job : qAsConst(jobs))
            if (upgraded.contains(job->unitKey()))
                job->leaveAlone(QStringLiteral("the record shows this image upgraded on %1")
                                    .arg(upgraded.value(job->unitKey()).toString(Qt::ISODate)),
                                true);
    }
    Rollout rollout(jobs, {o.canary, o.maxFailed});
    // Ctrl+C, a CI job's timeout (SIGTERM) and a closed ssh session (SIGHUP) stop every unit
    // cleanly; the report says how far each one got.
    const auto onSignal = [](int) { Interrupted = true; };
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
#ifdef SIGHUP
    std::signal(SIGHUP, onSignal);
#endif
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&rollout] {
        if (Interrupted)
            rollout.interrupt();
        if (rollout.isDone())
            QCoreApplication::quit();
    });
    watch.start(50);
    rollout.start();
    if (!rollout.isDone())
        app.exec();
    if (!rollout.stopped().isEmpty())
        report.setRolloutStopped(rollout.stopped());
    // On the disk before the report says it is: a record that failed is said with the report.
    if (record)
        record->flush();
    if (record && !record->problem().isEmpty())
        report.addWarning(QStringLiteral("the record could not be written (%1); the units were not affected")
                              .arg(record->problem()));
    return report.finish(o.json, stdout);
}
