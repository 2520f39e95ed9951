#pragma once

#include "CommandBatch.h"

#include <QDialog>
#include <QProgressBar>
#include <QTextEdit>

// The modal window of one command batch: log, progress bar, completion message.
class USART_Send_QDialog_Handle : public QDialog
{
    Q_OBJECT

public:
    USART_Send_QDialog_Handle(QWidget *parent, QString *list, QString *rx, const QString &kind);

    void Start_send();

    QProgressBar Send_Progress;
    QTextEdit Send_Info;
    CommandBatch &batch() { return Batch; }

signals:
    void USART_SEND_SIGNALS(QString str);

public slots:
    void time_send();

private:
    void appendLog(const QString &text);

    CommandBatch Batch;
};
