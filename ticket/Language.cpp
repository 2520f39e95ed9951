#include "Language.h"

#include "SystemDir.h"
#include "ticket/LogCategories.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QSettings>

namespace {
uint8_t Language_Code = Language_Chinese;
}

uint8_t Read_Language(bool reload)
{
    if (!reload)
        return Language_Code;

    const QString path = SystemDir::readPath(QStringLiteral("Language.ini"));
    qCDebug(lcLanguage) << path;
    uint8_t code = Language_Chinese;
    if (QFileInfo::exists(path)) {
        QSettings ini(path, QSettings::IniFormat);
        // Exact and case-sensitive: "english" or "Polish" mean Chinese.
        const QString stored = ini.value(QStringLiteral("Language")).toString();
        if (stored == QLatin1String("English"))
            code = Language_English;
        else if (stored == QLatin1String("Poland"))
            code = Language_Polish;
    }
    qCDebug(lcLanguage) << "language code" << code;
    Language_Code = code;
    return code;
}

void Set_Language_Code(uint8_t code)
{
    Language_Code = code;
}
