#pragma once

#include <thread>

// Fontconfig reads its whole configuration (hundreds of small XML files) the first time a font is
// asked for: about a tenth of the time to the first frame, on one core. This reads it on another
// core while the application object is built. Only the library's own entry point runs there, so no
// Qt object lives in that thread. Without fontconfig (Windows) nothing happens.
class FontConfigWarmUp
{
public:
    FontConfigWarmUp();
    // Waits for the reading; the destructor waits too.
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp &) = delete;
    FontConfigWarmUp &operator=(const FontConfigWarmUp &) = delete;

    // Before the first window asks for a font, so that Qt finds the configuration read rather than
    // reading a second one beside it.
    void wait();
    // Whether a reading was started (fontconfig was found).
    bool started() const { return Started; }

private:
    std::thread Worker;
    bool Started = false;
};
