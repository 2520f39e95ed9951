#include "ImagePluginWarmUp.h"

#include <QImageReader>

ImagePluginWarmUp::ImagePluginWarmUp(const QString &picture)
    : Work([this, picture] { Read = !QImageReader(picture).read().isNull(); })
{
}

bool ImagePluginWarmUp::wait()
{
    Work.wait();
    return Read;
}
