#include "FontConfigWarmUp.h"

#include <QLibrary>

#include <system_error>

FontConfigWarmUp::FontConfigWarmUp()
{
    // Resolved here, in the main thread: a QLibrary is a QObject, and the first thread to make one
    // becomes Qt's main thread. The library stays loaded; Qt's font support uses it next.
    using Init = int (*)();
    const auto init = reinterpret_cast<Init>(QLibrary::resolve(QStringLiteral("fontconfig"), 1, "FcInit"));
    if (!init)
        return;
    try {
        Worker = std::thread(init);
        Started = true;
    } catch (const std::system_error &) {
        // No thread to be had (a process limit): Qt reads the configuration when it needs it, as ever.
    }
}

FontConfigWarmUp::~FontConfigWarmUp()
{
    wait();
}

void FontConfigWarmUp::wait()
{
    if (Worker.joinable())
        Worker.join();
}
