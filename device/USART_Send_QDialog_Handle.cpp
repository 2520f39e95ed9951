#include "USART_Send_QDialog_Handle.h"

namespace {
const struct {
    const char *button;
    BatchKind kind;
} Buttons[] = {
    {"Print_Write_Push", BatchKind::Ticket}, {"TYPE_PB_SET", BatchKind::Names},      {"PB_ID_sned", BatchKind::Params},
    {"PB_Time_syn_sned", BatchKind::Clock},  {"PB_Rec_sned", BatchKind::Reset},
};

// The entries a kind examines, from the caller's array (an unknown kind: none).
QStringList entries(const QString *list, const std::optional<BatchKind> &kind)
{
    QStringList commands;
    for (int i = 0; kind && i < BatchKinds::examined(*kind); ++i)
        commands << list[i];
    return commands;
}
} // namespace

std::optional<BatchKind> USART_Send_QDialog_Handle::kindOfButton(const QString &name)
{
    for (const auto &b : Buttons)
        if (name == QLatin1String(b.button))
            return b.kind;
    return std::nullopt;
}

USART_Send_QDialog_Handle::USART_Send_QDialog_Handle(QWidget *parent, CommandBatch &batch)
    : QDialog(parent)
    , Send_Progress(this)
    , Send_Info(this)
    , Close_Button(QObject::tr("关闭"), this)
    , Batch(batch)
{
    setUp();
}

USART_Send_QDialog_Handle::USART_Send_QDialog_Handle(QWidget *parent, QString *list, QString *rx, const QString &kind)
    : QDialog(parent)
    , Send_Progress(this)
    , Send_Info(this)
    , Close_Button(QObject::tr("关闭"), this)
    // An unknown name sends nothing and shows no header, as a pairing batch.
    , Own_Batch(std::make_unique<CommandBatch>(kindOfButton(kind).value_or(BatchKind::Pairing),
                                               entries(list, kindOfButton(kind))))
    , Batch(*Own_Batch)
{
    setUp();
    // After the page has had the command: only a reply to it may advance the batch.
    connect(&Batch, &CommandBatch::send, this, [rx] { rx->clear(); });
    connect(&Batch, &CommandBatch::looking, this, [this, rx] { Batch.received(*rx); });
}

USART_Send_QDialog_Handle::~USART_Send_QDialog_Handle() = default;

void USART_Send_QDialog_Handle::setUp()
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
        Batch.stop();
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
