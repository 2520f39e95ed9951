#pragma once

#include <QString>

// A batch kind (the name of the button that starts it) chooses how many entries are examined,
// the log header and the acknowledgement that lets the next command go.
struct BatchKind {
    const char *name;
    int examined;
    const char *header; // translated in the "QObject" context
    const char *pattern;

    // The kind of this name (exact, case-sensitive), or null.
    static const BatchKind *byName(const QString &name);
    // Whether the whole delivered text is this kind's acknowledgement.
    bool acknowledges(const QString &text) const;
    QString headerLine() const;
};
