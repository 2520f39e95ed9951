#include "USART_Send_QDialog_Handle.h"

USART_Send_QDialog_Handle::USART_Send_QDialog_Handle(QWidget *parent, QString *list, QString *rx, const QString &kind)
    : QDialog(parent)
    , Send_Progress(this)
    , Send_Info(this)
    , Batch(list, rx, kind)
{
    Send_Progress.setGeometry(50, 180, 400, 30);
    Send_Progress.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Send_Progress.setValue(-1);
    Send_Progress.show();
    Send_Info.setTextColor(QColor(0, 0, 0, 255));
    Send_Info.setReadOnly(true);
    Send_Info.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Send_Info.setStyleSheet(QStringLiteral("background-color:rgb(240,240,240)"));
    Send_Info.setGeometry(50, 20, 400, 150);

    connect(&Batch, &CommandBatch::send, this, &USART_Send_QDialog_Handle::USART_SEND_SIGNALS);
    connect(&Batch, &CommandBatch::logLine, this, &USART_Send_QDialog_Handle::appendLog);
    connect(&Batch, &CommandBatch::progress, &Send_Progress, &QProgressBar::setValue);
    appendLog(Batch.headerLine());
}

void USART_Send_QDialog_Handle::Start_send()
{
    Batch.start();
}

void USART_Send_QDialog_Handle::time_send()
{
    Batch.poll();
}

void USART_Send_QDialog_Handle::appendLog(const QString &text)
{
    Send_Info.moveCursor(QTextCursor::End);
    Send_Info.insertPlainText(text);
    Send_Info.moveCursor(QTextCursor::End);
}
