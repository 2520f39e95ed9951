#include "FontConfigWarmUp.h"

#include <QLibrary>

FontConfigWarmUp::FontConfigWarmUp()
{
    // Resolved here, in the main thread: a QLibrary is a QObject, and the first thread to make one
    // becomes Qt's main thread. The library stays loaded; Qt's font support uses it next.
    using Init = int (*)();
    const auto init = reinterpret_cast<Init>(QLibrary::resolve(QStringLiteral("fontconfig"), 1, "FcInit"));
    if (!init)
        return;
    Worker = std::thread(init);
    Started = true;
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
