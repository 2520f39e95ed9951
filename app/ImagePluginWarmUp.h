#pragma once

#include "WorkAside.h"

#include <QString>

// The first picture read makes Qt load every image plugin and ask each whether it can read it (a
// millisecond or more, with the SVG one's library). This reads one picture on another core while the
// window is built, so that the first picture the window draws finds the plugins loaded. Qt's image
// reading is made for any thread; its plugins end up belonging to the main thread as ever.
class ImagePluginWarmUp
{
public:
    // After the application object and its resources exist: plugins are found through the one, the
    // picture is read from the other. The destructor waits for the reading, which must end before the
    // application object does.
    explicit ImagePluginWarmUp(const QString &picture);

    // Whether a thread was had for it.
    bool started() const { return Work.started(); }
    // Waits for the reading; whether the picture was read whole.
    bool wait();

private:
    bool Read = false; // before the work, which writes it until it is waited for
    WorkAside Work;
};
