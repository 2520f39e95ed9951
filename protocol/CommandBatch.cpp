#include "CommandBatch.h"

#include "ticket/LogCategories.h"

#include <QCoreApplication>

CommandBatch::CommandBatch(BatchKind kind, QStringList commands, QObject *parent)
    : QObject(parent)
    , Kind(kind)
    , Commands(std::move(commands))
{
    Send_Timer.setTimerType(Qt::PreciseTimer);
    connect(&Send_Timer, &QTimer::timeout, this, &CommandBatch::poll);
    // A precise timer and one last look: an acknowledgement that came inside the limit counts even
    // when the limit falls on the poll that would have seen it.
    Timeout_Timer.setSingleShot(true);
    Timeout_Timer.setTimerType(Qt::PreciseTimer);
    connect(&Timeout_Timer, &QTimer::timeout, this, [this] {
        const int sent = Send_Index;
        poll();
        if (Complete || Send_Index != sent)
            return;
        Send_Timer.stop();
        emit timedOut(waitingFor());
    });
    for (const QString &command : Commands.mid(0, BatchKinds::examined(Kind)))
        if (!command.isEmpty())
            ++Send_Count;
    qCDebug(lcBatch) << "batch" << BatchKinds::name(Kind) << "with" << Send_Count << "commands";
}

void CommandBatch::start()
{
    if (Send_Count == 0) {
        emit logLine(QCoreApplication::translate("QObject", "当前没有要发送的数据已停止通信....") + QStringLiteral("\r\n"));
        return;
    }
    emit logLine(QCoreApplication::translate("QObject", "共有 ") + QString::number(Send_Count)
                 + QCoreApplication::translate("QObject", " 参数需要发送正在建立通信......") + QStringLiteral("\r\n"));
    sendNext(FirstPollMs);
}

void CommandBatch::stop()
{
    Stopped = true;
    Send_Timer.stop();
    Timeout_Timer.stop();
}

void CommandBatch::sendNext(int pollMs)
{
    // Only a reply to the command sent now may advance the batch.
    Latest.clear();
    emit send(Commands.at(Send_Index));
    ++Send_Index;
    if (!Stopped) { // whoever took the command may have ended the batch
        Send_Timer.start(pollMs);
        if (Timeout_Ms > 0)
            Timeout_Timer.start(Timeout_Ms);
    }
    emit logLine(QCoreApplication::translate("QObject", "正在发送 ") + QString::number(Send_Index)
                 + QCoreApplication::translate("QObject", " 条内容......") + QStringLiteral("\r\n"));
}

void CommandBatch::poll()
{
    if (Complete || Stopped)
        return;
    emit looking();
    if (!BatchKinds::acknowledges(Kind, Latest))
        return;
    if (Send_Count <= Send_Index) {
        Send_Timer.stop();
        Timeout_Timer.stop();
        Complete = true;
        emit progress(100);
        emit logLine(QCoreApplication::translate("QObject", "发送完成已停止通信....."));
        emit completed();
        return;
    }
    sendNext(LaterPollMs);
    emit progress(100 / Send_Count * Send_Index);
}
