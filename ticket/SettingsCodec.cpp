#include "SettingsCodec.h"

#include "LineRecord.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>

namespace {
QString iniPath(const QTemporaryDir &dir)
{
    return dir.filePath(QStringLiteral("settings.ini"));
}
} // namespace

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
    // The INI text is exactly what QSettings writes; it is made in a private folder, never in the
    // operator's file, so a failure cannot touch what is already saved.
    QTemporaryDir dir;
    if (!dir.isValid())
        return {};
    {
        QSettings ini(iniPath(dir), QSettings::IniFormat);
        for (int i = 0; i < 10; ++i)
            ini.setValue(lineKey(i), s.lines[i]);
        for (int i = 0; i < 5; ++i)
            ini.setValue(typeKey(i), s.typeNames[i]);
        ini.setValue(parameterKey(0), s.networkIdIndex);
        ini.setValue(parameterKey(1), s.autoClearIndex);
        ini.setValue(parameterKey(2), s.syncRestartIndex);
        ini.sync();
        if (ini.status() != QSettings::NoError)
            return {};
    }
    QFile file(iniPath(dir));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return file.readAll().toBase64();
}

SettingsCodec::Decoded SettingsCodec::decode(const QByteArray &content)
{
    Decoded out;
    // Characters outside the Base64 alphabet are skipped, as line breaks would be.
    const QByteArray text = QByteArray::fromBase64(content);
    QTemporaryDir dir;
    if (text.isEmpty() || !dir.isValid())
        return out;
    {
        QFile file(iniPath(dir));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
            return out;
        file.write(text);
    }
    QSettings ini(iniPath(dir), QSettings::IniFormat);
    auto read = [&](const QString &key) {
        if (ini.contains(key))
            ++out.keysFound;
        return ini.value(key);
    };
    for (int i = 0; i < 10; ++i)
        out.settings.lines[i] = read(lineKey(i)).toString();
    for (int i = 0; i < 5; ++i)
        out.settings.typeNames[i] = read(typeKey(i)).toString();
    out.settings.networkIdIndex = read(parameterKey(0)).toInt();
    out.settings.autoClearIndex = read(parameterKey(1)).toInt();
    out.settings.syncRestartIndex = read(parameterKey(2)).toInt();
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
