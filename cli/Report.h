#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdio>

class UnitJob;

// What the operator sees of a run: a live progress line per unit on standard error (kept in place
// on a terminal, one plain line per change otherwise), then the report on standard output, as a
// table or as one JSON document.
class Report : public QObject
{
public:
    Report(const QString &verb, const QList<UnitJob *> &jobs, std::FILE *progress, bool terminal);

    // Prints the report; the exit status follows from it: 0 when every unit got everything.
    int finish(bool json, std::FILE *out);

private:
    void changed(UnitJob *job);
    void redraw();
    QString line(const UnitJob *job) const;

    QString Verb;
    QList<UnitJob *> Jobs;
    std::FILE *Progress;
    bool Terminal;
    bool Drawn = false;
    QTimer Redraw_Timer;
};
