#pragma once

#include <avahi-common/watch.h>

// Runs avahi-client on Qt's one event loop: its file descriptors become socket notifiers and its
// timeouts single-shot timers, so no second loop or thread is needed.
class AvahiQtPoll
{
public:
    AvahiQtPoll();
    AvahiQtPoll(const AvahiQtPoll &) = delete;
    AvahiQtPoll &operator=(const AvahiQtPoll &) = delete;

    const AvahiPoll *api() const { return &Api; }

private:
    AvahiPoll Api{};
};
