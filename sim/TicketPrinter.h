#pragma once

#include <QString>
#include <QStringList>

// How the simulated unit prints its ten stored lines: one text row per printed row, each marked
// "S|" (small font, 32 columns) or "B|" (big font, 16 columns), alignment applied with spaces.
class TicketPrinter
{
public:
    struct Context {
        QString ticketType = QStringLiteral("类型:0001"); // what a ticket-type line prints
        QString chineseTime;                              // what a "T" line prints
        QString otherTime;                                // what an "E" line prints
        int peopleWaiting = 3;
    };

    static QStringList print(const QString *lines, const Context &context);
    static QStringList printLine(const QString &record, const Context &context);

    static constexpr int SmallColumns = 32;
    static constexpr int BigColumns = 16;
};
