#include "RememberedPort.h"

#include "SystemDir.h"
#include "ticket/SettingsFile.h"
#include "ticket/LogCategories.h"

#include <QLoggingCategory>
#include <QSettings>

namespace {
const char *const FileName = "Ports.ini";
const char *const Key = "Typed";
const char *const CaKey = "TlsCa";

QString loadValue(const char *key)
{
    return QSettings(SystemDir::readPath(QLatin1String(FileName)), QSettings::IniFormat).value(QLatin1String(key)).toString();
}

void saveValue(const char *key, const QString &value)
{
    QString error;
    if (!SettingsFile::writeIniValue(SystemDir::userPath(QLatin1String(FileName)), QLatin1String(key), value, &error))
        qCWarning(lcPort) << "typed port not remembered" << key << error;
}
} // namespace

QString RememberedPort::load()
{
    return loadValue(Key);
}

void RememberedPort::save(const QString &path)
{
    saveValue(Key, path);
}

QString RememberedPort::loadTlsCa()
{
    return loadValue(CaKey);
}

void RememberedPort::saveTlsCa(const QString &caFile)
{
    saveValue(CaKey, caFile);
}
