#pragma once

#include "protocol/CommandBatch.h"

#include <QDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

// The modal window of one command batch: log, progress bar, completion message. When the unit
// leaves a command unanswered for a while the log says so (a later answer still continues the
// batch); Close stops the batch, and nothing more is sent.
class USART_Send_QDialog_Handle : public QDialog
{
    Q_OBJECT

public:
    USART_Send_QDialog_Handle(QWidget *parent, QString *list, QString *rx, const QString &kind);

    void Start_send();

    QProgressBar Send_Progress;
    QTextEdit Send_Info;
    QPushButton Close_Button;
    CommandBatch &batch() { return Batch; }

    static constexpr int SilenceHintMs = 5000;

signals:
    void USART_SEND_SIGNALS(QString str);

private:
    void appendLog(const QString &text);
    void hintSilence();

    CommandBatch Batch;
    QTimer Silence_Timer;
};
