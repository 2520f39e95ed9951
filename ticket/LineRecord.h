#pragma once

#include <QString>
#include <QStringList>

// One ticket line as the seven "+"-separated fields the unit takes:
// ATPW + line number + kind + alignment + content + font size + OK.
class LineRecord
{
public:
    enum class Kind { Plain = 0, TicketType = 1, Time = 2, PeopleRemaining = 3 };
    enum class Align { Left, Center, Right };

    // What the line editor's controls hold.
    struct Controls {
        int line = 0; // slot 0 to 9
        Kind kind = Kind::Plain;
        Align align = Align::Left;
        QString text;
        int blankLines = 0; // 0 to 3
        bool bigFont = false;
    };

    static constexpr int SlotCount = 10;

    // The record the editor emits; the time kind is "T" in Chinese, "E" in English or Polish.
    static QString build(const Controls &controls, int languageCode);
    // The controls a record loads back into (kind letters T and E both mean the time kind).
    static Controls read(const QString &record);

    // "" when valid, else the first failing code "000" to "008".
    static QString check(const QString &record);

    // The slot a stored record goes to (the digits after the leading letters and "+"), or -1.
    static int slotOf(const QString &record);

    static QString blankRecord(int slot);
    // The command written for slot i: blank for an undefined or empty line, placeholder text stripped
    // from ticket-type and time lines, anything else the record as it is.
    static QString writeCommand(const QString &record, int slot);
    static QStringList writeCommands(const QString *lines);

    // Editor limits in GBK bytes, by kind and font.
    static int editorLimit(Kind kind, bool bigFont);
    static constexpr int CheckLimitBig = 22;
    static constexpr int CheckLimitSmall = 134;
};
