#include "ImagePluginWarmUp.h"

#include <QImageReader>

#include <system_error>

ImagePluginWarmUp::ImagePluginWarmUp(const QString &picture)
{
    try {
        Worker = std::thread([this, picture] { Read = !QImageReader(picture).read().isNull(); });
        Started = true;
    } catch (const std::system_error &) {
        // No thread to be had (a process limit): the first picture the window reads loads them, as ever.
    }
}

ImagePluginWarmUp::~ImagePluginWarmUp()
{
    wait();
}

bool ImagePluginWarmUp::wait()
{
    if (Worker.joinable())
        Worker.join();
    return Read;
}
