#include "SettingsCodec.h"

#include "IniText.h"
#include "LineRecord.h"

#include <algorithm>

QString SettingsCodec::lineKey(int i)
{
    return QString::number(i) + QStringLiteral("行");
}

QString SettingsCodec::typeKey(int i)
{
    return QString::number(i) + QStringLiteral("类");
}

QString SettingsCodec::parameterKey(int i)
{
    return QString::number(i) + QStringLiteral("参");
}

QByteArray SettingsCodec::encode(const Settings &s)
{
    // Made in memory: no temporary file, so a full disk cannot cut or spoil it.
    QList<QPair<QString, QVariant>> keys;
    for (int i = 0; i < LineRecord::SlotCount; ++i)
        keys.append({lineKey(i), s.lines[i]});
    for (int i = 0; i < ServiceType::Count; ++i)
        keys.append({typeKey(i), s.typeNames[i]});
    keys.append({parameterKey(0), s.networkIdIndex});
    keys.append({parameterKey(1), s.autoClearIndex});
    keys.append({parameterKey(2), s.syncRestartIndex});
    return IniText::writeGeneral(keys).toBase64();
}

SettingsCodec::Decoded SettingsCodec::decode(const QByteArray &content)
{
    Decoded out;
    // Characters outside the Base64 alphabet are skipped, as line breaks would be.
    const QHash<QString, IniText::Value> ini = IniText::readGeneral(QByteArray::fromBase64(content));
    auto read = [&](const QString &key) {
        const auto found = ini.constFind(key);
        if (found == ini.constEnd()) {
            out.missing << key;
            return QVariant();
        }
        ++out.keysFound;
        if (!found->typedForm.isEmpty() && out.typedKey.isEmpty()) {
            out.typedKey = key;
            out.typedForm = found->typedForm;
        }
        return found->value;
    };
    for (int i = 0; i < LineRecord::SlotCount; ++i)
        out.settings.lines[i] = read(lineKey(i)).toString();
    for (int i = 0; i < ServiceType::Count; ++i)
        out.settings.typeNames[i] = read(typeKey(i)).toString();
    out.settings.networkIdIndex = read(parameterKey(0)).toInt();
    out.settings.autoClearIndex = read(parameterKey(1)).toInt();
    out.settings.syncRestartIndex = read(parameterKey(2)).toInt();
    if (!out.typedKey.isEmpty())
        out.settings = Settings(); // nothing of a refused file is used
    return out;
}

const std::array<SettingsCodec::Parameter, 3> SettingsCodec::Parameters = {{
    {&Settings::networkIdIndex, NetworkIds, "015"},
    {&Settings::autoClearIndex, ClearingChoices, "016"},
    {&Settings::syncRestartIndex, RestartChoices, "017"},
}};

bool SettingsCodec::typeNameFaulty(const Settings &s)
{
    return std::any_of(std::begin(s.typeNames), std::end(s.typeNames), [](const QString &name) { return name.contains(QLatin1Char('+')); });
}

QStringList SettingsCodec::errors(const Settings &s)
{
    QStringList codes;
    for (const QString &line : s.lines) {
        if (!line.isEmpty() && !LineRecord::check(line).isEmpty()) {
            codes << LineRecord::check(line);
            break;
        }
    }
    if (typeNameFaulty(s))
        return codes << QLatin1String(TypeNameError);
    for (const Parameter &p : Parameters)
        if (!p.holds(s))
            codes << QLatin1String(p.error);
    return codes;
}
