// Preloaded into a Qt program (LD_PRELOAD) by startup.py: writes the CLOCK_MONOTONIC time of the first
// exposed top-level window, in nanoseconds, to the file named by TQ_PROBE_OUT. The program is not changed,
// so tqmanage and the bare-Qt floor are measured the same way.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QWindow>

#include <time.h>

namespace {
class FirstExpose : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && !Seen) {
            auto *window = qobject_cast<QWindow *>(watched);
            if (window && window->isTopLevel() && window->isExposed()) {
                Seen = true;
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                QFile out(qEnvironmentVariable("TQ_PROBE_OUT"));
                if (out.open(QIODevice::WriteOnly))
                    out.write(QByteArray::number(qint64(now.tv_sec) * 1000000000 + now.tv_nsec));
            }
        }
        return false;
    }

private:
    bool Seen = false;
};

void installProbe()
{
    QCoreApplication::instance()->installEventFilter(new FirstExpose(QCoreApplication::instance()));
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
