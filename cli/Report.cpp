#include "Report.h"

#include "ProgressSummary.h"
#include "UnitJob.h"
#include "protocol/StateReply.h"
#include "serial/PortAddress.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVector>

namespace {
QString orDash(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("-") : text;
}

// An address as scheme://host:port: its files stay in the JSON, so the column keeps its width.
QString portText(const QString &port)
{
    return PortAddress::parse(port).shown();
}

// "-" for a unit that never answered, "" for one that sent a blank version.
QString versionText(const UnitJob::Result &r)
{
    if (!r.answered)
        return QStringLiteral("-");
    const QString version = r.version.isEmpty()
        ? QStringLiteral("\"\"")
        : Report::escaped(StateReply::elided(r.version, StateReply::VersionShownMax, QStringLiteral("...")));
    return r.bootloader ? version + QStringLiteral(" (bootloader)") : version;
}

QString resultText(const UnitJob::Result &r)
{
    if (!r.notRun.isEmpty())
        return r.ok ? QStringLiteral("skipped: ") + r.notRun : QStringLiteral("not started (%1)").arg(r.notRun);
    if (r.ok)
        return QStringLiteral("ok");
    QString text = QStringLiteral("failed: ") + r.error;
    if (!r.waitingFor.isEmpty())
        text += QStringLiteral(" (waiting for %1)").arg(r.waitingFor);
    return text;
}
} // namespace

Report::Report(const QString &verb, const QList<UnitJob *> &jobs, std::FILE *progress, bool terminal)
    : Verb(verb)
    , Jobs(jobs)
    , Progress(progress)
    , Terminal(terminal)
{
    Clock.start();
    // On a terminal the lines are redrawn at most ten times a second.
    Redraw_Timer.setSingleShot(true);
    Redraw_Timer.setInterval(100);
    connect(&Redraw_Timer, &QTimer::timeout, this, &Report::redraw);
    for (UnitJob *job : jobs)
        connect(job, &UnitJob::changed, this, [this, job] { changed(job); });
}

QString Report::escaped(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else if (u < 0x20 || (u >= 0x7f && u < 0xa0))
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString Report::line(const UnitJob *job) const
{
    const QString text = escaped(QStringLiteral("%1: %2").arg(portText(job->result().port), job->status()));
    if (!Terminal || text.size() < Width)
        return text;
    // The end says what the unit is doing: the port's long by-id name gives way first.
    return QStringLiteral("...") + text.right(qMax(1, Width - 4));
}

void Report::changed(UnitJob *job)
{
    if (!Terminal) {
        std::fprintf(Progress, "%s\n", qPrintable(line(job)));
        std::fflush(Progress);
    } else if (!Redraw_Timer.isActive()) {
        Redraw_Timer.start();
    }
}

void Report::redraw()
{
    if (!Terminal)
        return;
    QStringList lines;
    if (Height > 0 && Jobs.size() >= Height) {
        const QString summary = ProgressSummary::line(Jobs, Clock.elapsed());
        lines << (summary.size() < Width ? summary : summary.left(qMax(1, Width - 1)));
    } else {
        for (const UnitJob *job : qAsConst(Jobs))
            lines << line(job);
    }
    if (Drawn > 0)
        std::fprintf(Progress, "\x1b[%dA", Drawn); // back to the first line drawn
    for (const QString &text : qAsConst(lines))
        std::fprintf(Progress, "\x1b[2K%s\n", qPrintable(text));
    std::fflush(Progress);
    Drawn = lines.size();
}

int Report::finish(bool json, std::FILE *out)
{
    Redraw_Timer.stop();
    redraw();
    bool allOk = true;
    QJsonArray units;
    QStringList rows{QStringLiteral("PORT\tVERSION\tWRITTEN\tRESULT")};
    for (const UnitJob *job : qAsConst(Jobs)) {
        const UnitJob::Result &r = job->result();
        allOk = allOk && r.ok;
        for (const QString &warning : r.warnings)
            if (!Warnings.contains(portText(r.port) + QStringLiteral(": ") + warning))
                Warnings << portText(r.port) + QStringLiteral(": ") + warning;
        units.append(QJsonObject{{QStringLiteral("port"), r.port},
                                 {QStringLiteral("version"), r.version},
                                 {QStringLiteral("answered"), r.answered},
                                 {QStringLiteral("bootloader"), r.bootloader},
                                 {QStringLiteral("written"), QJsonArray::fromStringList(r.written)},
                                 {QStringLiteral("result"), !r.notRun.isEmpty() ? (r.ok ? QStringLiteral("skipped") : QStringLiteral("not started"))
                                                            : r.ok ? QStringLiteral("ok") : QStringLiteral("failed")},
                                 {QStringLiteral("error"), r.error},
                                 {QStringLiteral("waitingFor"), r.waitingFor},
                                 {QStringLiteral("notRun"), r.notRun}});
        rows << QStringLiteral("%1\t%2\t%3\t%4")
                    .arg(escaped(portText(r.port)), versionText(r),
                         orDash(r.written.join(QStringLiteral(", "))), escaped(resultText(r)));
    }
    const int status = !Rollout_Stopped.isEmpty() ? RolloutStoppedExitCode : allOk ? 0 : 1;
    // Said once, before the table or the document, where a reader of either finds it.
    for (const QString &warning : qAsConst(Warnings))
        std::fprintf(json ? Progress : out, "warning: %s\n", qPrintable(warning));
    if (!Error.isEmpty() && !json)
        std::fprintf(out, "%s\n", qPrintable(escaped(Error)));
    if (json) {
        QJsonObject doc{{QStringLiteral("verb"), Verb}, {QStringLiteral("exitCode"), status}, {QStringLiteral("units"), units}};
        if (!Error.isEmpty())
            doc.insert(QStringLiteral("error"), Error);
        if (!Warnings.isEmpty())
            doc.insert(QStringLiteral("warnings"), QJsonArray::fromStringList(Warnings));
        if (!Unit_Language.isEmpty())
            doc.insert(QStringLiteral("unitLanguage"), Unit_Language);
        if (!Rollout_Stopped.isEmpty())
            doc.insert(QStringLiteral("rolloutStopped"), Rollout_Stopped);
        std::fputs(QJsonDocument(doc).toJson(QJsonDocument::Indented).constData(), out);
        return status;
    }
    // Columns as wide as their widest cell.
    QVector<int> widths(4, 0);
    for (const QString &row : qAsConst(rows)) {
        const QStringList cells = row.split(QLatin1Char('\t'));
        for (int c = 0; c < 3; ++c)
            widths[c] = qMax(widths[c], cells.at(c).size());
    }
    for (const QString &row : qAsConst(rows)) {
        const QStringList cells = row.split(QLatin1Char('\t'));
        QString text;
        for (int c = 0; c < 3; ++c)
            text += cells.at(c).leftJustified(widths[c] + 2);
        std::fprintf(out, "%s\n", qPrintable(text + cells.at(3)));
    }
    if (!Unit_Language.isEmpty())
        std::fprintf(out, "unit language sent: %s\n", qPrintable(Unit_Language));
    if (!Rollout_Stopped.isEmpty())
        std::fprintf(out, "roll-out stopped: %s\n", qPrintable(escaped(Rollout_Stopped)));
    return status;
}
