// tqmanage-cli: sets up many queue-management units at once from the command line.
#include "CliOptions.h"
#include "Report.h"
#include "UnitJob.h"
#include "app/Language.h"
#include "firmware/FirmwareImage.h"
#include "serial/PortAddress.h"
#include "serial/PortList.h"
#include "ticket/SettingsCodec.h"
#include "ticket/SettingsFile.h"

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
#include <unistd.h>
#endif

namespace {
std::atomic<bool> Interrupted{false};

int listPorts(bool json)
{
    const QList<PortList::Port> ports = PortList::available();
    QJsonArray list;
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
UnitJob::Plan plan(const CliOptions &o, QString *refused)
{
    UnitJob::Plan plan;
    plan.timeoutMs = o.timeoutMs;
    plan.languageCode = Read_Language(true); // the unit speaks the tool's language, as from the window
    using Step = UnitJob::Step;
    if (o.verb == CliOptions::Verb::Reset)
        plan.steps = {Step::Reset};
    if (o.verb == CliOptions::Verb::Upgrade) {
        const FirmwareImage image = FirmwareImage::load(o.file);
        if (image.outcome == FirmwareImage::Outcome::TooLarge)
            *refused = QStringLiteral("not sent: %1 has %2 bytes, more than 51200").arg(o.file).arg(image.fileSize);
        else if (image.outcome != FirmwareImage::Outcome::Loaded || image.data.isEmpty())
            *refused = QStringLiteral("not sent: %1 cannot be read or is empty").arg(o.file);
        plan.image = image.data;
        plan.steps = {Step::Upgrade};
    }
    if (o.verb == CliOptions::Verb::Apply) {
        const SettingsCodec::Decoded file = SettingsCodec::decode(SettingsFile::read(o.file).data);
        const QStringList errors = SettingsCodec::errors(file.settings);
        // Unattended, a file that is no settings file at all is refused rather than sent as defaults.
        if (!QFileInfo(o.file).isFile() || file.keysFound == 0)
            *refused = QStringLiteral("not sent: %1 is not a settings file").arg(o.file);
        else if (!errors.isEmpty())
            *refused = QStringLiteral("not sent: settings file error %1 (格式错误 %1)").arg(errors.join(QLatin1Char(' ')));
        plan.settings = file.settings;
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
    QCoreApplication app(argc, argv);
    // The window's name: the same per-user language and configuration folder.
    QCoreApplication::setApplicationName(QStringLiteral("tqmanage"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.7"));
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
    if (o.verb == CliOptions::Verb::Ports)
        return listPorts(o.json);
    // The link's reasons (a refused or unverified server) in the report's language.
    QTranslator english;
    if (english.load(QStringLiteral(":/Res/LANG_English.qm")))
        QCoreApplication::installTranslator(&english);
    for (const QString &port : qAsConst(o.ports))
        if (PortAddress::parse(port).insecure)
            std::fprintf(stderr, "tqmanage-cli: WARNING: %s: the server's certificate is NOT verified (insecure)\n",
                         qPrintable(port));

    QString refused;
    const UnitJob::Plan work = plan(o, &refused);
    QList<UnitJob *> jobs;
    for (const QString &port : o.ports)
        jobs << new UnitJob(port, work, &app);
#ifdef Q_OS_UNIX
    const bool terminal = ::isatty(fileno(stderr));
#else
    const bool terminal = false;
#endif
    Report report(QCoreApplication::arguments().value(1), jobs, stderr, terminal);
    if (!refused.isEmpty()) {
        for (UnitJob *job : qAsConst(jobs))
            job->stop(refused);
        return report.finish(o.json, stdout);
    }
    // Ctrl+C stops every unit cleanly; the report says what each one got.
    std::signal(SIGINT, [](int) { Interrupted = true; });
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&jobs] {
        if (Interrupted)
            for (UnitJob *job : qAsConst(jobs))
                job->stop(QStringLiteral("interrupted"));
        if (std::all_of(jobs.cbegin(), jobs.cend(), [](const UnitJob *job) { return job->isDone(); }))
            QCoreApplication::quit();
    });
    watch.start(50);
    for (UnitJob *job : qAsConst(jobs))
        job->start();
    app.exec();
    return report.finish(o.json, stdout);
}
