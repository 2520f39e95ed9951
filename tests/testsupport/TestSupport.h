#pragma once

#include <QFile>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

class QProcess;
class QWidget;

namespace TestSupport {

// Writes content over path (a read-only file too), then gives the file mode; false if it could not.
bool writeFile(const QString &path, const QByteArray &content,
               QFile::Permissions mode = QFile::ReadOwner | QFile::WriteOwner);
// The file's bytes; empty when it cannot be read.
QByteArray contentOf(const QString &path);
// The same bytes for the same seed on every run.
QByteArray randomBytes(int size, quint32 seed);

// Waits up to timeoutMs for the next modal window, then until `until` holds for it (or timeoutMs
// more pass), calls inspect with it and closes it (a message box by its No or first button).
void closeModalWhen(std::function<bool(QWidget *)> until, std::function<void(QWidget *)> inspect, int timeoutMs = 8000);
// The same, closing the modal window as soon as it is there.
void answerNextModal(std::function<void(QWidget *)> inspect = {}, int timeoutMs = 5000);

// Closes every modal window that opens while it lives, remembering its title and text.
class ModalCatcher
{
public:
    ModalCatcher();
    QStringList texts() const { return Texts; }
    QStringList titles() const { return Titles; }
    int count() const { return Texts.size(); }

private:
    QTimer Poll;
    QStringList Texts;
    QStringList Titles;
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
    QList<QJsonObject> journal(const QString &direction = QString()) const;
    QStringList texts(const QString &direction) const; // "rx", "tx" or "note" entries, as text
    QStringList receivedTexts() const { return texts(QStringLiteral("rx")); }
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

private:
    int Master = -1;
    int Slave_Keep = -1;
    QString Slave_Path;
};
#endif
