#pragma once

#include <QString>

class QWidget;

// The Language menu's choices: each stores the operator's language for the next start and says so
// in its own language. The catalogue is loaded only at start, so a stored change means a restart.
struct LanguageSwitch {
    const char *value; // as stored under "Language"
    QString title;
    QString alreadySet;
    QString switched;

    static LanguageSwitch chinese();
    static LanguageSwitch english();
    static LanguageSwitch polish();

    // Tells the operator why nothing changed (no language file, the choice already holds, the file
    // cannot be written), or stores the choice and announces it. True only when it was stored.
    bool store(QWidget *parent) const;
};
