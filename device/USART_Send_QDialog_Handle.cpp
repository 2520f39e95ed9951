#include "USART_Send_QDialog_Handle.h"

USART_Send_QDialog_Handle::USART_Send_QDialog_Handle(QWidget *parent, QString *list, QString *rx, const QString &kind)
    : QDialog(parent)
    , Send_Progress(this)
    , Send_Info(this)
    , Close_Button(QObject::tr("关闭"), this)
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

    Close_Button.setObjectName(QStringLiteral("Close_Button"));
    Close_Button.setGeometry(350, 230, 100, 30);
    Close_Button.setAutoDefault(false);
    Silence_Timer.setSingleShot(true);
    Silence_Timer.setTimerType(Qt::PreciseTimer); // a coarse one may speak up to 5 % early

    connect(&Batch, &CommandBatch::send, this, &USART_Send_QDialog_Handle::USART_SEND_SIGNALS);
    connect(&Batch, &CommandBatch::send, &Silence_Timer, [this] { Silence_Timer.start(SilenceHintMs); });
    connect(&Batch, &CommandBatch::completed, &Silence_Timer, &QTimer::stop);
    connect(&Silence_Timer, &QTimer::timeout, this, &USART_Send_QDialog_Handle::hintSilence);
    connect(&Close_Button, &QPushButton::clicked, this, &QDialog::reject);
    // However the window closes (button, Escape, title bar), the batch ends with it.
    connect(this, &QDialog::finished, this, [this] {
        Batch.blockSignals(true);
        Silence_Timer.stop();
    });
    connect(&Batch, &CommandBatch::logLine, this, &USART_Send_QDialog_Handle::appendLog);
    connect(&Batch, &CommandBatch::progress, &Send_Progress, &QProgressBar::setValue);
    appendLog(Batch.headerLine());
}

void USART_Send_QDialog_Handle::Start_send()
{
    Batch.start();
}

void USART_Send_QDialog_Handle::appendLog(const QString &text)
{
    Send_Info.moveCursor(QTextCursor::End);
    Send_Info.insertPlainText(text);
    Send_Info.moveCursor(QTextCursor::End);
}

void USART_Send_QDialog_Handle::hintSilence()
{
    appendLog(QObject::tr("第 %1 条命令 %2 秒没有应答: 请检查管理机的电源, 连接线和端口; 应答到达后继续发送.")
                  .arg(Batch.sentCount())
                  .arg(SilenceHintMs / 1000)
              + QStringLiteral("\r\n"));
}
