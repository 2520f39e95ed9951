#include "TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QMessageBox>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

namespace {
// A folder no other test shares: every test started in a PID namespace of its own has the same
// PID, so a name made of it would give two such tests running at once one journal.
QString privateFolder(const QString &prefix)
{
    QTemporaryDir dir(QDir::temp().filePath(prefix + QStringLiteral("-XXXXXX")));
    dir.setAutoRemove(false); // removed by its owner's destructor
    return dir.path();
}

void closeModal(QWidget *modal)
{
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        if (QAbstractButton *no = box->button(QMessageBox::No))
            no->click();
        else if (!box->buttons().isEmpty())
            box->buttons().constFirst()->click();
        else
            box->close();
    } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
        dialog->reject();
    } else {
        modal->close();
    }
}
} // namespace

bool TestSupport::writeFile(const QString &path, const QByteArray &content, QFile::Permissions mode)
{
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    QFile f(path);
    const bool written = f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
    f.close();
    return written && QFile::setPermissions(path, mode);
}

QByteArray TestSupport::contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int TestSupport::exitCodeOf(const QProcess &process, int otherwise)
{
    return process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : otherwise;
}

QByteArray TestSupport::nestedVariantFile()
{
    // Each level: the type QVariantList (9) and a count of 1, as QDataStream writes them, escaped.
    const QByteArray level = "\\0\\0\\0\\t\\0\\0\\0\\x1";
    return ("[General]\n0%U884C=@Variant(" + level.repeated(40000) + "\\0\\0\\0\\x2\\0\\0\\0\\0)\n").toBase64();
}

QByteArray TestSupport::randomBytes(int size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator rng(seed);
    for (char &c : bytes)
        c = char(rng.bounded(256));
    return bytes;
}

TestSupport::ModalCatcher::ModalCatcher(std::function<bool(QWidget *)> work)
{
    Poll.setInterval(10);
    QObject::connect(&Poll, &QTimer::timeout, [this, work] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (modal != Current) {
            Current = modal;
            Since.start();
        }
        Poll.stop(); // work may wait in an event loop of its own
        const QPointer<QWidget> guard(modal);
        const bool done = !work || work(modal) || Since.hasExpired(20000);
        Poll.start();
        if (!done || !guard)
            return;
        auto *box = qobject_cast<QMessageBox *>(modal);
        Texts << (box ? box->text() : modal->windowTitle());
        Titles << modal->windowTitle();
        if (modal->isVisible()) // work may have answered it already
            closeModal(modal);
    });
    Poll.start();
}

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

SimUnderTest::SimUnderTest(const QStringList &extraArguments)
{
    Dir = privateFolder(QStringLiteral("tqsim"));
    Journal_Path = Dir + QStringLiteral("/journal.jsonl");
    Process = new QProcess;
    // Not forwarded: a simulator left behind must not hold the test runner's output open.
    Process->setProcessChannelMode(QProcess::SeparateChannels);
    Process->start(QStringLiteral(TQ_SIM_PATH), QStringList{QStringLiteral("--journal"), Journal_Path} + extraArguments);
    const QDeadlineTimer deadline(5000);
    while (Process->waitForStarted(5000) && !deadline.hasExpired()) {
        if (!Process->canReadLine() && !Process->waitForReadyRead(100))
            continue;
        const QString line = QString::fromUtf8(Process->readLine()).trimmed();
        if (line.startsWith(QLatin1String("PORT "))) {
            Port = line.mid(5);
            return;
        }
    }
}

SimUnderTest::~SimUnderTest()
{
    kill();
    delete Process;
    QDir(Dir).removeRecursively();
}

void SimUnderTest::kill()
{
    if (Process->state() != QProcess::NotRunning) {
        Process->kill();
        Process->waitForFinished(3000);
    }
}

QList<QJsonObject> SimUnderTest::journal(const QString &direction) const
{
    QList<QJsonObject> entries;
    QFile file(Journal_Path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QJsonObject entry = QJsonDocument::fromJson(line).object();
        if (!entry.isEmpty() && (direction.isEmpty() || entry.value(QStringLiteral("dir")).toString() == direction))
            entries << entry;
    }
    return entries;
}

QStringList SimUnderTest::texts(const QString &direction) const
{
    QStringList out;
    for (const QJsonObject &e : journal(direction))
        out << e.value(QStringLiteral("text")).toString();
    return out;
}

SimFleet::SimFleet(int units, const QStringList &extraArguments)
{
    Dir = privateFolder(QStringLiteral("tqfleet"));
    Journal_Path = Dir + QStringLiteral("/journal.jsonl");
    Process = new QProcess;
    Process->start(QStringLiteral(TQ_SIM_PATH), QStringList{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"),
                                                            QStringLiteral("--units"), QString::number(units),
                                                            QStringLiteral("--journal"), Journal_Path}
                                                    + extraArguments);
    while (Addresses.size() < units && (Process->canReadLine() || Process->waitForReadyRead(5000)))
        Addresses << QString::fromUtf8(Process->readLine()).trimmed();
}

SimFleet::~SimFleet()
{
    Process->kill();
    Process->waitForFinished(3000);
    delete Process;
    QDir(Dir).removeRecursively();
}

QStringList SimFleet::received(int unit) const
{
    QStringList hex;
    for (const QByteArray &line : TestSupport::contentOf(Journal_Path).split('\n')) {
        const QJsonObject e = QJsonDocument::fromJson(line).object();
        if (e.value(QStringLiteral("unit")).toInt(-1) == unit && e.value(QStringLiteral("dir")).toString() == QLatin1String("rx"))
            hex << e.value(QStringLiteral("hex")).toString();
    }
    return hex;
}

PtyPair::PtyPair()
{
    Master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (Master < 0 || ::grantpt(Master) != 0 || ::unlockpt(Master) != 0)
        return;
    Slave_Path = QString::fromLocal8Bit(::ptsname(Master));
    Slave_Keep = ::open(::ptsname(Master), O_RDWR | O_NOCTTY);
    termios raw{};
    ::tcgetattr(Slave_Keep, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(Slave_Keep, TCSANOW, &raw);
    ::fcntl(Master, F_SETFL, ::fcntl(Master, F_GETFL) | O_NONBLOCK);
}

PtyPair::~PtyPair()
{
    if (Master >= 0)
        ::close(Master);
    if (Slave_Keep >= 0)
        ::close(Slave_Keep);
}

void PtyPair::write(const QByteArray &bytes)
{
    if (Master >= 0)
        (void)!::write(Master, bytes.constData(), size_t(bytes.size()));
}

QByteArray PtyPair::readAll()
{
    QByteArray out;
    char buf[4096];
    ssize_t n;
    while (Master >= 0 && (n = ::read(Master, buf, sizeof buf)) > 0)
        out.append(buf, int(n));
    return out;
}

QByteArray PtyPair::readWithoutEvents(int size, int ms)
{
    QByteArray out;
    QElapsedTimer clock;
    for (clock.start(); out.size() < size && clock.elapsed() < ms;) {
        out += readAll();
        if (out.size() < size)
            QThread::msleep(1);
    }
    return out;
}

void PtyPair::hangUp()
{
    if (Master >= 0)
        ::close(Master);
    Master = -1;
}
#endif
