#include "SettingsBatches.h"

#include "Commands.h"
#include "FieldText.h"
#include "ticket/Gbk.h"
#include "ticket/LineRecord.h"
#include "ticket/ServiceType.h"

QStringList SettingsBatches::ticket(const SettingsCodec::Settings &settings)
{
    return LineRecord::writeCommands(settings.lines);
}

QStringList SettingsBatches::typeNames(const SettingsCodec::Settings &settings)
{
    QStringList batch;
    for (int t = 1; t <= ServiceType::Count; ++t) {
        const QString name = FieldText::clean(settings.typeNames[t - 1], TypeNameMaxBytes).text;
        // A name of characters GBK has no bytes for would go out as an empty field the unit refuses.
        if (!Gbk::encode(name).isEmpty())
            batch << Commands::typeName(t, name);
    }
    return batch;
}

QString SettingsBatches::clearingHour(int autoClearIndex)
{
    return autoClearIndex == 0 ? QStringLiteral("25") : QString::asprintf("%02d", autoClearIndex - 1);
}

QStringList SettingsBatches::parameters(const SettingsCodec::Settings &settings, int languageCode)
{
    return {Commands::networkId(settings.networkIdIndex), Commands::syncRestart(settings.syncRestartIndex == 0),
            Commands::autoClear(clearingHour(settings.autoClearIndex)), Commands::unitLanguage(languageCode)};
}
