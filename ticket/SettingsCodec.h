#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The settings file: Base64 of the INI text QSettings writes for the eighteen keys
// (0行 … 9行 line records, 0类 … 4类 type names, 0参 … 2参 parameter indexes).
class SettingsCodec
{
public:
    struct Settings {
        QString lines[10];
        QString typeNames[5];
        int networkIdIndex = 0;
        int autoClearIndex = 0;
        int syncRestartIndex = 0;
    };

    struct Decoded {
        Settings settings;
        int keysFound = 0; // 0: not a settings file (or an empty one)
    };

    static QString lineKey(int i);
    static QString typeKey(int i);
    static QString parameterKey(int i);

    // The file content for these settings; empty when the INI text could not be made.
    static QByteArray encode(const Settings &settings);
    // Reads file content in memory; anything that is not Base64 of such an INI text has no keys.
    static Decoded decode(const QByteArray &content);

    // The format errors opening these settings reports, in the window's order: the first faulty line
    // record ("000" to "008"); "020" for a type name with "+", which ends the check; then "015",
    // "016" and "017" for a network ID, clearing hour or restart choice out of range.
    static QStringList errors(const Settings &settings);

    static constexpr int KeyCount = 18;
    static constexpr int NetworkIds = 100;     // "0" to "99"
    static constexpr int ClearingChoices = 25; // disabled, 00:00 to 23:00
    static constexpr int RestartChoices = 2;   // allowed, forbidden
};
