#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM (a session or service manager, kill), SIGHUP (a closed terminal) and SIGINT (Ctrl+C)
// as a Qt signal on the event loop, so the program can end as if closed: port released, lock file
// gone. A signal handler may only write, so it writes the signal's number into a socket pair the
// event loop watches. Where there are no such signals (Windows) it never fires.
class TerminationWatch : public QObject
{
    Q_OBJECT

public:
    explicit TerminationWatch(QObject *parent = nullptr);
    ~TerminationWatch() override;

signals:
    void terminated(int signalNumber);

private:
    void readSignal();

    QSocketNotifier *Notifier = nullptr;
};
