#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The management unit as the tool sees it: takes one received burst, gives the replies.
// Each verb ("ATSW", "ATPW", ...) is one small handler.
class SimUnit
{
public:
    struct Options {
        QString firmwareVersion = QStringLiteral("V2.1");
        bool bootloader = false;
    };

    struct Command {
        QByteArray raw;
        QString text;
        QStringList fields;
    };

    struct Reply {
        QByteArray bytes;
        int delayMs = 0; // after the previous reply (or after the command, for the first)
    };

    using Handler = std::function<QList<Reply>(const Command &)>;

    explicit SimUnit(const Options &options);

    QList<Reply> handle(const QByteArray &burst);
    void addHandler(const QString &verb, Handler handler);
    // Lines of state worth showing in the journal ("note" entries) since the last call.
    QStringList takeNotes();

private:
    void note(const QString &line);
    QList<Reply> stateReply(const Command &command) const;

    Options Opts;
    QHash<QString, Handler> Handlers;
    QStringList Notes;
};
