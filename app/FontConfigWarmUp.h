#pragma once

#include "WorkAside.h"

// Fontconfig reads its whole configuration (hundreds of small XML files) the first time a font is
// asked for: about a tenth of the time to the first frame, on one core. This reads it on another
// core while the application object is built. Only the library's own entry point runs there, so no
// Qt object lives in that thread. Without fontconfig (Windows) nothing happens.
class FontConfigWarmUp
{
public:
    FontConfigWarmUp();

    // Before the first window asks for a font, so that Qt finds the configuration read rather than
    // reading a second one beside it. The destructor waits too.
    void wait() { Work.wait(); }
    // Whether a reading was started (fontconfig was found, and a thread).
    bool started() const { return Work.started(); }

private:
    WorkAside Work;
};
