#include "RememberedPort.h"

#include "SystemDir.h"
#include "ticket/SettingsFile.h"

#include <QLoggingCategory>
#include <QSettings>

Q_LOGGING_CATEGORY(lcPort, "tq.port")

namespace {
const char *const FileName = "Ports.ini";
const char *const Key = "Typed";
} // namespace

QString RememberedPort::load()
{
    return QSettings(SystemDir::readPath(QLatin1String(FileName)), QSettings::IniFormat).value(QLatin1String(Key)).toString();
}

void RememberedPort::save(const QString &path)
{
    QString error;
    if (!SettingsFile::writeIniValue(SystemDir::userPath(QLatin1String(FileName)), QLatin1String(Key), path, &error))
        qCWarning(lcPort) << "typed port not remembered" << error;
}
