#include "SimulatorProcess.h"

#include <QDeadlineTimer>
#include <QProcess>

SimulatorProcess::SimulatorProcess(QObject *parent)
    : QObject(parent)
{
}

SimulatorProcess::~SimulatorProcess()
{
    if (Process && Process->state() != QProcess::NotRunning) {
        Process->terminate();
        if (!Process->waitForFinished(2000))
            Process->kill();
        Process->waitForFinished(1000);
    }
}

bool SimulatorProcess::start(const QString &program, const QStringList &arguments, QString *error)
{
    Process = new QProcess(this);
    Process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Process->setReadChannel(QProcess::StandardOutput);
    Process->start(program, arguments);
    if (!Process->waitForStarted(5000)) {
        *error = QStringLiteral("cannot start %1: %2").arg(program, Process->errorString());
        return false;
    }
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        if (!Process->canReadLine() && !Process->waitForReadyRead(int(deadline.remainingTime())))
            break;
        while (Process->canReadLine()) {
            const QString line = QString::fromUtf8(Process->readLine()).trimmed();
            if (line.startsWith(QLatin1String("PORT "))) {
                Port_Path = line.mid(5);
                return true;
            }
        }
    }
    *error = QStringLiteral("%1 did not report its port").arg(program);
    return false;
}
