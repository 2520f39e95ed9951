#include "WorkAside.h"

#include <system_error>

WorkAside::WorkAside(std::function<void()> work)
{
    if (!work)
        return;
    try {
        Worker = std::thread(std::move(work));
        Started = true;
    } catch (const std::system_error &) {
        // No thread to be had: the work is left to whoever needs it.
    }
}

WorkAside::~WorkAside()
{
    wait();
}

void WorkAside::wait()
{
    if (Worker.joinable())
        Worker.join();
}
