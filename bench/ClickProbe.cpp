// Preloaded into tqmanage (LD_PRELOAD) by flood.py: appends the CLOCK_MONOTONIC time, in nanoseconds,
// of every mouse press the program handles to the file named by TQ_CLICK_OUT, one line each. The
// benchmark sends the presses through the X server and compares: the difference is how long a click
// waits for the program.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QWindow>

#include <time.h>

namespace {
class PressClock : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Every press reaches its QWindow first, once.
        if (event->type() == QEvent::MouseButtonPress && qobject_cast<QWindow *>(watched)) {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            QFile out(qEnvironmentVariable("TQ_CLICK_OUT"));
            if (out.open(QIODevice::Append))
                out.write(QByteArray::number(qint64(now.tv_sec) * 1000000000 + now.tv_nsec) + '\n');
        }
        return false;
    }
};

void installProbe()
{
    QCoreApplication::instance()->installEventFilter(new PressClock(QCoreApplication::instance()));
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
