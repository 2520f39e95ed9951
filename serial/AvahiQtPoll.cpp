#include "AvahiQtPoll.h"

#include <avahi-common/timeval.h>

#include <QSocketNotifier>
#include <QTimer>

// avahi may free a watch or a timeout from inside its own callback; the object then dies once the
// callback has returned, and its Qt parts on the next turn of the loop (at once otherwise, so that
// nothing is left when the loop has ended).
struct AvahiWatch {
    int fd = -1;
    AvahiWatchCallback callback = nullptr;
    void *userdata = nullptr;
    QSocketNotifier *readable = nullptr;
    QSocketNotifier *writable = nullptr;
    AvahiWatchEvent happened = AvahiWatchEvent(0);
    bool dispatching = false;
    bool freed = false;
};

struct AvahiTimeout {
    QTimer *timer = nullptr;
    AvahiTimeoutCallback callback = nullptr;
    void *userdata = nullptr;
    bool dispatching = false;
    bool freed = false;
};

namespace {
void dispatch(AvahiWatch *w, AvahiWatchEvent event)
{
    w->happened = event;
    w->dispatching = true;
    w->callback(w, w->fd, event, w->userdata);
    w->dispatching = false;
    w->happened = AvahiWatchEvent(0);
    if (w->freed)
        delete w;
}

QSocketNotifier *notifier(AvahiWatch *w, QSocketNotifier::Type type, AvahiWatchEvent event)
{
    auto *n = new QSocketNotifier(w->fd, type);
    // A hang-up or an error shows as readable; the D-Bus connection then reads its end.
    QObject::connect(n, &QSocketNotifier::activated, n, [w, event] { dispatch(w, event); });
    return n;
}

void watchUpdate(AvahiWatch *w, AvahiWatchEvent events)
{
    const bool in = events & (AVAHI_WATCH_IN | AVAHI_WATCH_ERR | AVAHI_WATCH_HUP);
    const bool out = events & AVAHI_WATCH_OUT;
    if (in && !w->readable)
        w->readable = notifier(w, QSocketNotifier::Read, AVAHI_WATCH_IN);
    if (out && !w->writable)
        w->writable = notifier(w, QSocketNotifier::Write, AVAHI_WATCH_OUT);
    if (w->readable)
        w->readable->setEnabled(in);
    if (w->writable)
        w->writable->setEnabled(out);
}

AvahiWatch *watchNew(const AvahiPoll *, int fd, AvahiWatchEvent events, AvahiWatchCallback callback, void *userdata)
{
    auto *w = new AvahiWatch;
    w->fd = fd;
    w->callback = callback;
    w->userdata = userdata;
    watchUpdate(w, events);
    return w;
}

AvahiWatchEvent watchGetEvents(AvahiWatch *w)
{
    return w->happened;
}

void watchFree(AvahiWatch *w)
{
    for (QSocketNotifier *n : {w->readable, w->writable}) {
        if (!n)
            continue;
        n->setEnabled(false);
        if (w->dispatching)
            n->deleteLater(); // it is the one calling
        else
            delete n;
    }
    if (w->dispatching)
        w->freed = true;
    else
        delete w;
}

void timeoutUpdate(AvahiTimeout *t, const struct timeval *tv)
{
    if (!tv) {
        t->timer->stop();
        return;
    }
    // tv is an absolute time; avahi_age is how long ago it was (negative: still ahead).
    const AvahiUsec ahead = -avahi_age(tv);
    t->timer->start(ahead <= 0 ? 0 : int(qMin<AvahiUsec>((ahead + 999) / 1000, 24 * 3600 * 1000)));
}

AvahiTimeout *timeoutNew(const AvahiPoll *, const struct timeval *tv, AvahiTimeoutCallback callback, void *userdata)
{
    auto *t = new AvahiTimeout;
    t->timer = new QTimer;
    t->timer->setSingleShot(true);
    t->timer->setTimerType(Qt::PreciseTimer);
    t->callback = callback;
    t->userdata = userdata;
    QObject::connect(t->timer, &QTimer::timeout, t->timer, [t] {
        t->dispatching = true;
        t->callback(t, t->userdata);
        t->dispatching = false;
        if (t->freed)
            delete t;
    });
    timeoutUpdate(t, tv);
    return t;
}

void timeoutFree(AvahiTimeout *t)
{
    t->timer->stop();
    if (t->dispatching) {
        t->timer->deleteLater(); // it is the one calling
        t->freed = true;
    } else {
        delete t->timer;
        delete t;
    }
}
} // namespace

AvahiQtPoll::AvahiQtPoll()
{
    Api.userdata = this;
    Api.watch_new = watchNew;
    Api.watch_update = watchUpdate;
    Api.watch_get_events = watchGetEvents;
    Api.watch_free = watchFree;
    Api.timeout_new = timeoutNew;
    Api.timeout_update = timeoutUpdate;
    Api.timeout_free = timeoutFree;
}
