#pragma once

#include "ticket/LineRecord.h"
#include "ticket/ServiceType.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

// The settings file: Base64 of the INI text QSettings writes for the eighteen keys
// (0行 … 9行 line records, 0类 … 4类 type names, 0参 … 2参 parameter indexes).
class SettingsCodec
{
public:
    struct Settings {
        QString lines[LineRecord::SlotCount];
        QString typeNames[ServiceType::Count];
        int networkIdIndex = 0;
        int autoClearIndex = 0;
        int syncRestartIndex = 0;
    };

    struct Decoded {
        Settings settings;
        int keysFound = 0; // 0: not a settings file (or an empty one)
        QStringList missing; // keys the file lacks; they read as empty or 0
        // A key holding a typed value ("@Variant" and the like) instead of text or a number: the
        // file is refused, its values stay empty.
        QString typedKey;
        QString typedForm;
    };

    static QString lineKey(int i);
    static QString typeKey(int i);
    static QString parameterKey(int i);

    // The file content for these settings.
    static QByteArray encode(const Settings &settings);
    // Reads file content in memory; anything that is not Base64 of such an INI text has no keys.
    static Decoded decode(const QByteArray &content);

    // The format errors opening these settings reports, in the window's order: the first faulty line
    // record ("000" to "008"); "020" for a type name with "+", which ends the check; then "015",
    // "016" and "017" for a network ID, clearing hour or restart choice out of range.
    static QStringList errors(const Settings &settings);

    // A type name with "+" is this format error, and ends the check.
    static constexpr const char *TypeNameError = "020";
    static bool typeNameFaulty(const Settings &settings);
    // The three parameters in check order: where the index is held, how many choices there are and
    // the format error an index outside them reports.
    struct Parameter {
        int Settings::*index;
        int choices;
        const char *error;
        bool holds(const Settings &s) const { return s.*index >= 0 && s.*index < choices; }
    };
    static const std::array<Parameter, 3> Parameters;

    static constexpr int KeyCount = LineRecord::SlotCount + ServiceType::Count + 3; // and the three parameters
    static constexpr int NetworkIds = 100;     // "0" to "99"
    static constexpr int ClearingChoices = 25; // disabled, 00:00 to 23:00
    static constexpr int RestartChoices = 2;   // allowed, forbidden
};
