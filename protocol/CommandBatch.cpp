#include "CommandBatch.h"

#include "BatchKind.h"

#include <QCoreApplication>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcBatch, "tq.batch")

CommandBatch::CommandBatch(const QString *list, QString *rx, const QString &kind, QObject *parent)
    : QObject(parent)
    , Send_List(list)
    , RX_dat(rx)
    , Kind(BatchKind::byName(kind))
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
    if (Kind) {
        for (int i = 0; i < Kind->examined; ++i)
            if (!Send_List[i].isEmpty())
                ++Send_Count;
    }
    qCDebug(lcBatch) << "batch" << kind << "with" << Send_Count << "commands";
}

QString CommandBatch::headerLine() const
{
    return Kind ? Kind->headerLine() : QString();
}

void CommandBatch::start()
{
    if (Send_Count == 0) {
        emit logLine(QCoreApplication::translate("QObject", "当前没有要发送的数据已停止通信....") + QStringLiteral("\r\n"));
        return;
    }
    emit logLine(QCoreApplication::translate("QObject", "共有 ") + QString::number(Send_Count)
                 + QCoreApplication::translate("QObject", " 参数需要发送正在建立通信......") + QStringLiteral("\r\n"));
    Send_Index = 1;
    emit send(Send_List[0]);
    if (Timeout_Ms > 0)
        Timeout_Timer.start(Timeout_Ms);
    emit logLine(QCoreApplication::translate("QObject", "正在发送 ") + QString::number(Send_Index)
                 + QCoreApplication::translate("QObject", " 条内容......") + QStringLiteral("\r\n"));
    Send_Timer.start(FirstPollMs);
}

void CommandBatch::poll()
{
    if (Kind && !Complete)
        check(*Kind);
}

void CommandBatch::check(const BatchKind &kind)
{
    if (!kind.acknowledges(*RX_dat))
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
    emit send(Send_List[Send_Index]);
    ++Send_Index;
    if (Timeout_Ms > 0)
        Timeout_Timer.start(Timeout_Ms);
    // Only a reply to the command just sent may advance the batch.
    RX_dat->clear();
    emit logLine(QCoreApplication::translate("QObject", "正在发送 ") + QString::number(Send_Index)
                 + QCoreApplication::translate("QObject", " 条内容......") + QStringLiteral("\r\n"));
    emit progress(100 / Send_Count * Send_Index);
    Send_Timer.start(LaterPollMs);
}
