#include "FontConfigWarmUp.h"

#include <QLibrary>

namespace {
// Resolved here, in the main thread: a QLibrary is a QObject, and the first thread to make one becomes
// Qt's main thread. The library stays loaded; Qt's font support uses it next.
std::function<void()> fontConfigInit()
{
    using Init = int (*)();
    const auto init = reinterpret_cast<Init>(QLibrary::resolve(QStringLiteral("fontconfig"), 1, "FcInit"));
    if (!init)
        return {};
    return [init] { init(); };
}
} // namespace

FontConfigWarmUp::FontConfigWarmUp()
    : Work(fontConfigInit())
{
}
