#pragma once

#include <QString>

// The ticket page as the preview's HTML: one paragraph per defined line, small-font text broken into
// rows of 32 bytes, long big-font lines centred, a sample "99" for the people-remaining count.
class PreviewRenderer
{
public:
    struct Result {
        QString html;
        QString errorCode; // the first faulty record's code; html is empty then
    };

    static Result render(const QString *lines);

    // One record's paragraph (the record must be valid).
    static QString paragraph(const QString &record);
    // Breaks small-font text at 96, 64 and 32 bytes, never inside a character.
    static QString breakRows(const QString &text);
    static QString peopleRemainingSample(const QString &text);
    // Escapes markup, then "\r\n" becomes <br> and each pair of spaces &nbsp;.
    static QString htmlText(const QString &text);

    static constexpr int RowBytes = 32;
    static constexpr int BigCentreAbove = 15;
};
