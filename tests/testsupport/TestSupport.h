#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QProcess;
class QWidget;

namespace TestSupport {

// Answers the next modal box or dialog: calls inspect (if given) with it, then closes it.
// Keeps looking for up to timeoutMs, so it also catches a box that opens a little later.
void answerNextModal(std::function<void(QWidget *)> inspect = {}, int timeoutMs = 5000);

// Waits for the next modal window, then until `until` holds for it (or timeoutMs pass since it
// opened), calls inspect with it and closes it.
void closeModalWhen(std::function<bool(QWidget *)> until, std::function<void(QWidget *)> inspect, int timeoutMs = 8000);

// Collects the texts of every modal box that opens until stopped, closing each one.
class ModalCatcher
{
public:
    ModalCatcher();
    ~ModalCatcher();
    QStringList texts() const;
    int count() const;

private:
    struct Private;
    Private *d;
};

} // namespace TestSupport

#ifdef Q_OS_UNIX
// tqunit-sim as a child process with a journal, for end-to-end tests.
class SimUnderTest
{
public:
    explicit SimUnderTest(const QStringList &extraArguments = {});
    ~SimUnderTest();
    bool started() const { return !Port.isEmpty(); }
    QString port() const { return Port; }
    QString journalPath() const { return Journal_Path; }
    QList<QJsonObject> journal(const QString &direction = QString()) const;
    QStringList receivedTexts() const; // "rx" entries, decoded
    void kill();

private:
    QProcess *Process = nullptr;
    QString Port;
    QString Journal_Path;
    QString Dir;
};

// A pseudo-terminal whose master end the test drives byte by byte.
class PtyPair
{
public:
    PtyPair();
    ~PtyPair();
    QString slavePath() const { return Slave_Path; }
    void write(const QByteArray &bytes);
    QByteArray readAll();
    void closeMaster();

private:
    int Master = -1;
    int Slave_Keep = -1;
    QString Slave_Path;
};
#endif
