#include "Function_One.h"

#include "ActionRecorder.h"
#include "ConnectionController.h"
#include "LogView.h"
#include "PageHelpers.h"
#include "PageLayout.h"
#include "Pair_Mode_Handle.h"
#include "ResetQuestion.h"
#include "SettingsFileController.h"
#include "device/PictureBox.h"
#include "device/QDialg_add_Line.h"
#include "device/USART_Send_QDialog_Handle.h"
#include "protocol/Commands.h"
#include "protocol/FieldText.h"
#include "protocol/PairingTrace.h"
#include "protocol/SettingsBatches.h"
#include "serial/IFunction.h"
#include "serial/PortAddress.h"
#include "ticket/Language.h"
#include "ticket/PreviewRenderer.h"
#include "ticket/RecordFile.h"

#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextEdit>

Q_LOGGING_CATEGORY(lcDevice, "tq.device")

int Function_One::COM_Count = 0;

namespace {
// Copies a built batch into the batch entries; a longer one is cut, never written past the end.
void fill(Function_One::Batch &batch, const QStringList &commands)
{
    if (commands.size() > int(batch.size()))
        qCWarning(lcDevice) << "batch of" << commands.size() << "commands cut to" << batch.size();
    for (size_t i = 0; i < batch.size() && int(i) < commands.size(); ++i)
        batch[i] = commands[int(i)];
}
} // namespace

Function_One::Function_One(QWidget *parent)
    : QWidget(parent)
{
    move(0, 20);
    Ui = std::make_unique<PageLayout>(this);
    Connection = new ConnectionController(this, *Ui);
    Settings_File = std::make_unique<SettingsFileController>(
        this, *Ui, Print_Line,
        SettingsFileController::PageHooks{[this] { return Show_Print_Preview(); },
                                          [this](const QString &code) { Show_Format_Error(code); }});
    Recorder = std::make_unique<ActionRecorder>(*Connection, *Settings_File);
    initConnections();
}

Function_One::~Function_One() = default;

void Function_One::initConnections()
{
    connect(Connection, &ConnectionController::portsDue, this, &Function_One::Function_USART_COM_LA_UPDAT);
    connect(Connection, &ConnectionController::sendText, this, &Function_One::SEND_USART_Contents);
    connect(Ui->QB_OPEN_USART, &QPushButton::clicked, this, &Function_One::OPEN_USART_BUTTON);
    for (QLineEdit *name : Ui->QL_Type_Name)
        connect(name, &QLineEdit::textChanged, this, &Function_One::Limit_Ql_type_Lenght);
    connect(Ui->QB_Add_Line, &QPushButton::clicked, this, &Function_One::OPEN_Dialg_Add_Line);
    connect(Ui->Pair_Set_Push, &QPushButton::clicked, this, &Function_One::Pair_Mode_PushButton_Handle);
    for (QPushButton *button : {Ui->Print_Write_Push, Ui->TYPE_PB_SET, Ui->PB_ID_sned, Ui->PB_Time_syn_sned, Ui->PB_Rec_sned})
        connect(button, &QPushButton::clicked, this, &Function_One::Set_System_PushButton_Handle);
}

void Function_One::Set_Function(IFunction *f)
{
    Connection->setService(f);
}

void Function_One::USART_COM_Show(QStringList list)
{
    QComboBox *box = Ui->QC_COM_Choose;
    IFunction *usart = Connection->service();
    const auto describe = [box, usart](int i) {
        const QString entry = box->itemText(i);
        const QString location = usart ? usart->USART_COM_Location(entry) : QString();
        // A server is shown short in the box; its whole address (its files) is in the tooltip.
        QString details = usart ? usart->USART_COM_Details(entry) : QString();
        if (details.isEmpty() && PortAddress::looksRemote(location))
            details = location;
        // Only what changed: the box puts the current entry back into its line edit on any change.
        for (const auto &[role, value] : {std::pair<int, QVariant>{Qt::UserRole, location},
                                          {Qt::ToolTipRole, details.isEmpty() ? QVariant() : details},
                                          {Qt::AccessibleDescriptionRole, details.isEmpty() ? QVariant() : details}})
            if (box->itemData(i, role) != value)
                box->setItemData(i, value, role);
    };
    const QString text = box->currentText();
    const bool typed = !text.isEmpty() && box->findText(text) < 0;
    // Same count keeps the box as it is, selection included, even if an entry changed; an entry
    // still listed follows its unit to a new address.
    if (list.size() == COM_Count) {
        for (int i = 0; i < box->count(); ++i)
            if (list.contains(box->itemText(i)))
                describe(i);
        if (typed && box->currentText() != text)
            box->setEditText(text);
        return;
    }
    box->clear();
    for (const QString &entry : qAsConst(list)) {
        box->addItem(entry);
        describe(box->count() - 1);
    }
    COM_Count = list.size();
    if (typed) // a path the operator typed survives the refresh
        box->setEditText(text);
}

void Function_One::Function_USART_COM_LA_UPDAT()
{
    if (IFunction *usart = Connection->service())
        USART_COM_Show(usart->USART_COM_List());
}

void Function_One::OPEN_USART_BUTTON()
{
    Connection->toggle();
}

bool Function_One::connectTo(const QString &systemLocation)
{
    return Connection->connectTo(systemLocation);
}

void Function_One::setRecord(RecordFile *record)
{
    Recorder->setRecord(record);
    if (record)
        connect(record, &RecordFile::failed, this, [this](const QString &problem) {
            PageHelpers::appendLog(Ui->USART_Log, QObject::tr("记录文件无法写入, 写入管理机的操作不受影响:") + QLatin1Char(' ') + problem);
        });
}

void Function_One::showRememberedPort()
{
    Connection->showRememberedPort();
}

void Function_One::setStateQueryPaused(bool paused)
{
    Connection->setStateQueryPaused(paused);
}

void Function_One::SEND_USART_Contents(QString str)
{
    USART_RX_dat.clear();
    if (IFunction *usart = Connection->service())
        usart->USART_Send(str);
}

void Function_One::Receive_Data(QString dat)
{
    LogView::append(Ui->USART_Log, dat);
    USART_RX_dat = dat;
    emit USART_RX_dat_SIGNALS(dat);
    Connection->received(dat);
}

void Function_One::Link_Lost()
{
    Connection->linkLost();
}

void Function_One::Link_Ready()
{
    Connection->linkReady();
}

void Function_One::Link_Failed(QString reason)
{
    Connection->linkFailed(reason);
}

void Function_One::Link_Warning(QString text)
{
    Connection->linkWarning(text);
}

void Function_One::Limit_Ql_type_Lenght(QString text)
{
    auto *field = qobject_cast<QLineEdit *>(sender());
    if (!field)
        return;
    // The final text in one pass; setting it re-enters this slot once, with nothing left to change.
    const FieldText cleaned = FieldText::clean(text, SettingsBatches::TypeNameMaxBytes);
    for (int i = 0; i < cleaned.removedPlus; ++i)
        PictureBox::show(this, tr("Warning"), QObject::tr("禁止使用特殊符号\"+\"请重新输入") + QStringLiteral("\r\n"),
                         QStringLiteral(":/Res/Pic/ban.png"));
    PageHelpers::showKept(field, text, cleaned.text, SettingsBatches::TypeNameMaxBytes);
}

void Function_One::Type_Name_Command(Batch &list)
{
    fill(list, SettingsBatches::typeNames(Settings_File->current()));
}

void Function_One::System_Parameter_Command(Batch &list)
{
    fill(list, SettingsBatches::parameters(Settings_File->current(), Read_Language(false)));
}

void Function_One::Time_Sync_Command(Batch &cmd)
{
    cmd[0] = Commands::timeSync(QDateTime::currentDateTime());
    qCDebug(lcDevice) << cmd[0];
}

void Function_One::Set_System_PushButton_Handle()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    Batch batch;
    if (button == Ui->Print_Write_Push) {
        Build_Print_Commands(Print_Line, batch);
        runBatch(QStringLiteral("Print_Write_Push"), batch);
    } else if (button == Ui->TYPE_PB_SET) {
        Type_Name_Command(batch);
        runBatch(QStringLiteral("TYPE_PB_SET"), batch);
    } else if (button == Ui->PB_ID_sned) {
        System_Parameter_Command(batch);
        runBatch(QStringLiteral("PB_ID_sned"), batch);
    } else if (button == Ui->PB_Time_syn_sned) {
        Time_Sync_Command(batch);
        runBatch(QStringLiteral("PB_Time_syn_sned"), batch);
    } else if (button == Ui->PB_Rec_sned && ResetQuestion::confirmed(this)) {
        batch[0] = Commands::factoryReset();
        runBatch(QStringLiteral("PB_Rec_sned"), batch);
    }
}

void Function_One::runBatch(const QString &kind, Batch &batch)
{
    USART_Send_QDialog_Handle dialog(this, batch.data(), &USART_RX_dat, kind);
    dialog.setFixedSize(500, 300);
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    dialog.setWindowTitle(QStringLiteral("Communicate"));
    connect(&dialog, &USART_Send_QDialog_Handle::USART_SEND_SIGNALS, this, &Function_One::SEND_USART_Contents);
    ActionTrace trace;
    Recorder->beginBatch(trace, kind);
    connect(&dialog.batch(), &CommandBatch::send, this, [&trace](const QString &command) { trace.sentText(command); });
    dialog.Start_send();
    dialog.exec();
    qCDebug(lcDevice) << "batch dialog closed" << kind;
    Recorder->endBatch(trace, dialog.batch()); // after the batch, never inside its timing
}

void Function_One::Build_Print_Commands(const Lines &lines, Batch &commands)
{
    fill(commands, LineRecord::writeCommands(lines.data()));
}

void Function_One::OPEN_Dialg_Add_Line()
{
    QDialg_add_Line dialog(this, Print_Line.data());
    dialog.resize(550, 300);
    dialog.move(550, 150);
    dialog.setStyleSheet(QStringLiteral("background-color: white;"));
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    dialog.setFixedSize(550, 300);
    dialog.setWindowTitle(QObject::tr("增加小票内容"));
    dialog.setWindowIcon(QIcon(QStringLiteral(":/Res/Pic/add.png")));
    connect(&dialog, &QDialg_add_Line::Add_Button_signals, this, &Function_One::SavePtint_Line_Contents);
    dialog.exec();
}

void Function_One::SavePtint_Line_Contents(QString str)
{
    if (str == QLatin1String("Clear_ALL_Contents")) {
        Clear_Print_Page();
        return;
    }
    const int slot = LineRecord::slotOf(str);
    if (slot < 0) {
        qCWarning(lcDevice) << "line record without a slot number ignored" << str;
        return;
    }
    Print_Line[slot] = str;
    Show_Print_Preview();
}

void Function_One::Clear_Print_Page()
{
    Ui->Print_Preview->clear();
    for (QString &line : Print_Line)
        line.clear();
}

bool Function_One::Show_Print_Preview()
{
    Ui->Print_Preview->clear();
    const PreviewRenderer::Result page = PreviewRenderer::render(Print_Line.data());
    if (!page.errorCode.isEmpty()) {
        Clear_Print_Page();
        Show_Format_Error(page.errorCode);
        return false;
    }
    Ui->Print_Preview->setHtml(page.html);
    Ui->Print_Preview->moveCursor(QTextCursor::End);
    return true;
}

void Function_One::Show_Format_Error(const QString &code)
{
    const QString text = QObject::tr("格式错误") + QLatin1Char(' ') + code + QLatin1Char(' ') + QObject::tr("或者文件可能已经损坏!!!");
    for (QLineEdit *name : Ui->QL_Type_Name)
        name->clear();
    Clear_Print_Page();
    PictureBox::show(this, tr("Warning"), text, QStringLiteral(":/Res/Pic/damage.png"));
}

bool Function_One::Save_FILE_Operation(QString Route)
{
    return Settings_File->save(Route);
}

void Function_One::OPEN_FILE_Operation(QString Route)
{
    loadSettingsFile(Route, true);
}

void Function_One::loadSettingsFile(const QString &Route, bool writeBack)
{
    Settings_File->load(Route, writeBack);
}

void Function_One::Pair_Mode_PushButton_Handle()
{
    Pair_Mode_Handle dialog(this, Ui->QC_Pair_Mode);
    dialog.setFixedSize(550, 300);
    dialog.setWindowTitle(QStringLiteral("Pair Mode"));
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    connect(&dialog, &Pair_Mode_Handle::USART_SEND_SIGNALS, this, &Function_One::SEND_USART_Contents);
    connect(this, &Function_One::USART_RX_dat_SIGNALS, &dialog, &Pair_Mode_Handle::USART_RETURN_dat_Handel);
    PairingTrace pairing;
    pairing.setUnit(Recorder->unitKey(), Recorder->firmware());
    connect(&dialog, &Pair_Mode_Handle::USART_SEND_SIGNALS, &pairing, &PairingTrace::sent);
    connect(this, &Function_One::USART_RX_dat_SIGNALS, &pairing, &PairingTrace::received);
    connect(&pairing, &PairingTrace::recorded, this, [this](const UnitRecord &record) { Recorder->add(record); });
    // Straight to the service: the batch window's last acknowledgement may stay in USART_RX_dat.
    if (IFunction *usart = Connection->service())
        usart->USART_Send(Commands::pairReadAll());
    dialog.exec();
    pairing.close();
}
