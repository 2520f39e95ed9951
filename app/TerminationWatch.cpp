#include "TerminationWatch.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int Pair[2] = {-1, -1};
const int Watched[] = {SIGTERM, SIGHUP, SIGINT};

void onSignal(int number)
{
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(Pair[0], &byte, 1);
}
} // namespace
#endif

TerminationWatch::TerminationWatch(QObject *parent)
    : QObject(parent)
{
#ifdef Q_OS_UNIX
    if (Pair[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, Pair) != 0)
        return;
    Notifier = new QSocketNotifier(Pair[1], QSocketNotifier::Read, this);
    connect(Notifier, &QSocketNotifier::activated, this, &TerminationWatch::readSignal);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : Watched)
        ::sigaction(number, &action, nullptr);
#endif
}

TerminationWatch::~TerminationWatch()
{
#ifdef Q_OS_UNIX
    // Back to the default: a signal after this ends the program at once, as it did before.
    for (const int number : Watched)
        std::signal(number, SIG_DFL);
#endif
}

void TerminationWatch::readSignal()
{
#ifdef Q_OS_UNIX
    char byte = 0;
    if (::read(Pair[1], &byte, 1) == 1)
        emit terminated(int(byte));
#endif
}
