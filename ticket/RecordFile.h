#pragma once

#include "UnitRecord.h"

#include <QObject>
#include <QString>

#include <deque>
#include <memory>

// The record of what each unit got: one line per action, appended by a writer thread of its own
// (one write() a line, then fsync), so neither a batch's timing nor the window waits for the disk.
// Where no thread can be had (a process limit), each line is written as it comes instead.
// A record that cannot be written is said once (failed(), problem()) and changes nothing else.
class RecordFile : public QObject
{
    Q_OBJECT

public:
    // program: the name the record gives the program ("tqmanage", "tqmanage-cli").
    RecordFile(const QString &path, const QString &program, QObject *parent = nullptr);
    // Writes what is still queued.
    ~RecordFile() override;

    QString path() const { return Path; }
    // Stamps the record (time now, host, user, program, version) and queues it.
    void append(UnitRecord record);
    // Returns once every record queued so far is on the disk, or has failed.
    void flush();
    // "PATH: reason" once a record could not be written; empty until then.
    QString problem() const;

    // Inside the System folder for a portable copy or a chosen folder, else
    // $XDG_STATE_HOME/tqmanage/record.jsonl (~/.local/state/...).
    static QString defaultPath();
    // Who runs the program, as the system knows the user (not as the environment says).
    static QString userName();

signals:
    // Once, on this object's thread.
    void failed(const QString &problem);

private:
    struct Writer;
    bool write(const std::deque<QByteArray> &lines, QString *error) const;
    void said(const QString &error);
    QString Path;
    QString Program;
    QString Host;
    QString User;
    std::unique_ptr<Writer> Work;
};
