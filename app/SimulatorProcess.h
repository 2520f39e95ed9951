#pragma once

#include <QObject>
#include <QString>

class QProcess;

// The unit simulator as a child process: started beside the program, stopped with it.
class SimulatorProcess : public QObject
{
public:
    explicit SimulatorProcess(QObject *parent = nullptr);
    ~SimulatorProcess() override;

    // Starts the simulator and waits for its port; false with a reason when it does not come up.
    bool start(const QString &program, const QStringList &arguments, QString *error);
    QString portPath() const { return Port_Path; }

private:
    QProcess *Process = nullptr;
    QString Port_Path;
};
