#pragma once

#include <QString>

#include <thread>

// The first picture read makes Qt load every image plugin and ask each whether it can read it (a
// millisecond or more, with the SVG one's library). This reads one picture on another core while the
// window is built, so that the first picture the window draws finds the plugins loaded. Qt's image
// reading is made for any thread; its plugins end up belonging to the main thread as ever.
class ImagePluginWarmUp
{
public:
    // After the application object and its resources exist: plugins are found through the one, the
    // picture is read from the other.
    explicit ImagePluginWarmUp(const QString &picture);
    // Waits for the reading, which must end before the application object does.
    ~ImagePluginWarmUp();
    ImagePluginWarmUp(const ImagePluginWarmUp &) = delete;
    ImagePluginWarmUp &operator=(const ImagePluginWarmUp &) = delete;

    // Whether a thread was had for it.
    bool started() const { return Started; }
    // Waits for the reading; whether the picture was read whole.
    bool wait();

private:
    std::thread Worker;
    bool Started = false;
    bool Read = false;
};
