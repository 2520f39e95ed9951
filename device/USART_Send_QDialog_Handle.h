#pragma once

#include "protocol/CommandBatch.h"

#include <QDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

#include <memory>
#include <optional>

// The modal window of one command batch: log, progress bar, completion message. When the unit
// leaves a command unanswered for a while the log says so (a later answer still continues the
// batch); Close stops the batch, and nothing more is sent. It shows the batch; the batch's owner
// connects it to the unit.
class USART_Send_QDialog_Handle : public QDialog
{
    Q_OBJECT

public:
    // A batch built and fed by its owner, who also sends what it asks to send.
    USART_Send_QDialog_Handle(QWidget *parent, CommandBatch &batch);
    // The classic form: list is the caller's batch entries, rx the page's latest received text
    // (looked at on each tick, emptied after each advance), kind the name of the button that starts
    // it; an unknown name sends nothing. The commands go out through USART_SEND_SIGNALS.
    USART_Send_QDialog_Handle(QWidget *parent, QString *list, QString *rx, const QString &kind);
    ~USART_Send_QDialog_Handle() override;

    // The kind a batch button starts, by the button's name; none for any other name.
    static std::optional<BatchKind> kindOfButton(const QString &name);

    void Start_send();

    QProgressBar Send_Progress;
    QTextEdit Send_Info;
    QPushButton Close_Button;
    CommandBatch &batch() { return Batch; }

    static constexpr int SilenceHintMs = 5000;

signals:
    // Each command the batch sends.
    void USART_SEND_SIGNALS(QString str);

private:
    void setUp();
    void appendLog(const QString &text);
    void hintSilence();

    std::unique_ptr<CommandBatch> Own_Batch;
    CommandBatch &Batch;
    QTimer Silence_Timer;
};
