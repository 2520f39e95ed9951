#pragma once

#include <functional>
#include <thread>

// Start-up work done on another core while the main thread goes on. Where no thread can be had (a
// process limit), nothing is done here and whoever needs the work does it when it needs it, as ever.
class WorkAside
{
public:
    // An empty work starts nothing.
    explicit WorkAside(std::function<void()> work);
    // Waits for the work.
    ~WorkAside();
    WorkAside(const WorkAside &) = delete;
    WorkAside &operator=(const WorkAside &) = delete;

    // Whether a thread was had for the work.
    bool started() const { return Started; }
    void wait();

private:
    std::thread Worker;
    bool Started = false;
};
