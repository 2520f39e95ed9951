#pragma once

#include <QString>

// Text typed into a field that ends up inside a command: "+" would split the command and the unit
// takes a limited number of GBK bytes.
struct FieldText {
    QString text;
    int removedPlus = 0;

    // Every "+" removed, then the longest prefix within maxBytes of GBK.
    static FieldText clean(const QString &typed, int maxBytes);
    static QString longestPrefixWithin(const QString &text, int maxBytes);
};
