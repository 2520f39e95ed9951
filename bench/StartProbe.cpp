// Preloaded into a Qt program (LD_PRELOAD) by startup.py: writes two CLOCK_MONOTONIC times, in
// nanoseconds, to the file named by TQ_PROBE_OUT: when the first top-level window is exposed, and when
// that expose has been handled, that is the first frame painted and handed to the display. The
// program is not changed, so tqmanage and the bare-Qt floor are measured the same way.
// With TQ_PROBE_QUIT_MS set, the program's event loop ends that many milliseconds after the first frame,
// so that a profiler sees one start and nothing after it; a negative value ends the process right
// after the first frame, so that it sees nothing of what the program leaves for later.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWindow>

#include <cstdlib>
#include <time.h>

namespace {
qint64 now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

class FirstFrame : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Expose || Seen)
            return false;
        auto *window = qobject_cast<QWindow *>(watched);
        if (!window || !window->isTopLevel() || !window->isExposed())
            return false;
        Seen = true;
        const qint64 exposed = now();
        // Delivered here, through every other filter, so that the paint it causes is inside the time.
        QCoreApplication::sendEvent(watched, event);
        const qint64 drawn = now();
        QFile out(qEnvironmentVariable("TQ_PROBE_OUT"));
        if (out.open(QIODevice::WriteOnly))
            out.write(QByteArray::number(exposed) + ' ' + QByteArray::number(drawn));
        out.close();
        bool quit = false;
        const int quitMs = qEnvironmentVariableIntValue("TQ_PROBE_QUIT_MS", &quit);
        if (quit && quitMs < 0)
            std::_Exit(0);
        if (quit)
            QTimer::singleShot(quitMs, QCoreApplication::instance(), &QCoreApplication::quit);
        return true;
    }

private:
    bool Seen = false;
};

void installProbe()
{
    QCoreApplication::instance()->installEventFilter(new FirstFrame(QCoreApplication::instance()));
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
