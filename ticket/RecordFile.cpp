#include "RecordFile.h"

#include "AppendFile.h"
#include "SystemDir.h"
#include "ticket/LogCategories.h"

#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QSysInfo>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

struct RecordFile::Writer {
    std::mutex lock;
    std::condition_variable wake;
    std::condition_variable idle;
    std::deque<QByteArray> queue;
    bool busy = false;
    bool stopping = false;
    QString problem;
    std::thread thread;
};

RecordFile::RecordFile(const QString &path, const QString &program, QObject *parent)
    : QObject(parent)
    , Path(path)
    , Program(program)
    , Host(QSysInfo::machineHostName())
    , User(userName())
    , Work(std::make_unique<Writer>())
{
    Writer *w = Work.get();
    try {
        w->thread = std::thread([this, w] {
            std::unique_lock<std::mutex> hold(w->lock);
            for (;;) {
                w->wake.wait(hold, [w] { return w->stopping || !w->queue.empty(); });
                if (w->queue.empty())
                    break;
                std::deque<QByteArray> lines;
                lines.swap(w->queue);
                w->busy = true;
                hold.unlock();
                QString error;
                const bool ok = write(lines, &error);
                hold.lock();
                w->busy = false;
                if (!ok)
                    said(error);
                w->idle.notify_all();
            }
        });
    } catch (const std::system_error &e) {
        // No thread to be had (a process limit): each record is then written as it comes.
        qCWarning(lcRecord) << "records written without a thread of their own:" << e.what();
    }
}

RecordFile::~RecordFile()
{
    if (!Work->thread.joinable())
        return;
    {
        std::lock_guard<std::mutex> hold(Work->lock);
        Work->stopping = true;
    }
    Work->wake.notify_all();
    Work->thread.join();
}

bool RecordFile::write(const std::deque<QByteArray> &lines, QString *error) const
{
    // Each line alone, then one fsync for all of them: a burst of endings costs one sync. The file is
    // opened again for the next ones: a file moved away meanwhile is not written.
    AppendFile file(Path);
    bool ok = true;
    for (const QByteArray &line : lines)
        ok = file.appendLine(line, error) && ok;
    ok = ok && file.sync(error);
    file.close();
    return ok;
}

// With the writer's lock held.
void RecordFile::said(const QString &error)
{
    qCWarning(lcRecord) << "record not written" << Path << error;
    if (!Work->problem.isEmpty())
        return;
    Work->problem = QStringLiteral("%1: %2").arg(Path, error);
    QMetaObject::invokeMethod(this, [this, problem = Work->problem] { emit failed(problem); }, Qt::QueuedConnection);
}

void RecordFile::append(UnitRecord record)
{
    record.time = QDateTime::currentDateTimeUtc();
    record.host = Host;
    record.user = User;
    record.program = Program;
    record.version = QCoreApplication::applicationVersion();
    const QByteArray line = record.toLine();
    std::lock_guard<std::mutex> hold(Work->lock);
    if (!Work->thread.joinable()) {
        QString error;
        if (!write({line}, &error))
            said(error);
        return;
    }
    Work->queue.push_back(line);
    Work->wake.notify_one();
}

void RecordFile::flush()
{
    std::unique_lock<std::mutex> hold(Work->lock);
    Work->idle.wait(hold, [this] { return Work->queue.empty() && !Work->busy; });
}

QString RecordFile::problem() const
{
    std::lock_guard<std::mutex> hold(Work->lock);
    return Work->problem;
}

QString RecordFile::defaultPath()
{
    const QString name = QStringLiteral("record.jsonl");
    if (SystemDir::layout() != SystemDir::Layout::Installed)
        return SystemDir::userPath(name);
#ifdef Q_OS_UNIX
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state)) // unset, or not absolute: the XDG default
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return QStringLiteral("%1/tqmanage/%2").arg(state, name);
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QLatin1Char('/') + name;
#endif
}

QString RecordFile::userName()
{
#ifdef Q_OS_UNIX
    if (const passwd *entry = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return QString::number(::geteuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}
