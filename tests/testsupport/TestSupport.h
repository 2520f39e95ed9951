#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QList>
#include <QPointer>
#include <QProcess>
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
// A settings file (under 1 MiB) whose 0行 holds a QVariant nesting one-element lists 40,000 deep:
// a reader that decodes it recursively runs out of stack.
QByteArray nestedVariantFile();
// A program's exit code once it has ended by itself; otherwise (a crash, a kill, still running past
// the test's limit) the given value, so that such a run never reads as 0.
int exitCodeOf(const QProcess &process, int otherwise = -1);

// Closes every modal window that opens while it lives (a message box by its No or first button),
// remembering its title and text. With `work`, a window is first handed to work() every 10 ms until
// it returns true (or 20 s pass), so the test can inspect it, press its buttons or wait for it.
class ModalCatcher
{
public:
    explicit ModalCatcher(std::function<bool(QWidget *)> work = {});
    QStringList texts() const { return Texts; }
    QStringList titles() const { return Titles; }
    int count() const { return Texts.size(); }

private:
    QTimer Poll;
    QStringList Texts;
    QStringList Titles;
    QPointer<QWidget> Current;
    QElapsedTimer Since;
};

// work for a ModalCatcher that hands each window to inspect once (QCOMPARE and the like allowed).
inline std::function<bool(QWidget *)> once(std::function<void(QWidget *)> inspect)
{
    return [inspect](QWidget *w) {
        inspect(w);
        return true;
    };
}

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

// tqunit-sim --listen 127.0.0.1:0 --units N with a journal, each unit on a TCP port of its own.
class SimFleet
{
public:
    explicit SimFleet(int units, const QStringList &extraArguments = {});
    ~SimFleet();
    QStringList addresses() const { return Addresses; }
    // The bytes one unit received, one hex string per burst.
    QStringList received(int unit) const;

private:
    QProcess *Process = nullptr;
    QStringList Addresses;
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
    // What the port has written within the time, read without running the event loop.
    QByteArray readWithoutEvents(int size, int ms);
    // The far end goes away: the port's next write fails.
    void hangUp();

private:
    int Master = -1;
    int Slave_Keep = -1;
    QString Slave_Path;
};
#endif
