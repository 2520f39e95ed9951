#include "Restart.h"

#include "StartOptions.h"
#include "device/Desktop.h"

#include <QCoreApplication>

void Restart::now(const Desktop &desktop, const StartOptions &options)
{
    // The event loop ends after this returns, so the new instance may already be starting.
    desktop.exitApplication(0);
    desktop.startDetached(QCoreApplication::applicationFilePath(), options.restartArguments());
}
