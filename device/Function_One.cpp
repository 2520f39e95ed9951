#include "Function_One.h"

#include "ActionRecorder.h"
#include "ConnectionController.h"
#include "LogView.h"
#include "PageHelpers.h"
#include "PageLayout.h"
#include "Pair_Mode_Handle.h"
#include "PortBox.h"
#include "ResetQuestion.h"
#include "SettingsFileController.h"
#include "device/FileBoxes.h"
#include "device/PictureBox.h"
#include "device/QDialg_add_Line.h"
#include "device/USART_Send_QDialog_Handle.h"
#include "protocol/CommandBatch.h"
#include "protocol/Commands.h"
#include "protocol/FieldText.h"
#include "protocol/PairingTrace.h"
#include "protocol/SettingsBatches.h"
#include "protocol/UnitSession.h"
#include "serial/IFunction.h"
#include "ticket/Language.h"
#include "ticket/LogCategories.h"
#include "ticket/PreviewRenderer.h"
#include "ticket/RecordFile.h"
#include "ticket/SettingsFile.h"

#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextEdit>


Function_One::Function_One(QWidget *parent)
    : QWidget(parent)
{
    move(0, 20);
    Ui = std::make_unique<PageLayout>(this);
    Connection = new ConnectionController(this, *Ui);
    Settings_File = std::make_unique<SettingsFileController>(this, Ui->USART_Log, [this] { return currentSettings(); });
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
        PortBox::describeEntry(box, i, usart ? usart->USART_COM_Location(entry) : QString(),
                               usart ? usart->USART_COM_Details(entry) : QString());
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

UnitSession &Function_One::unitSession()
{
    return Connection->session();
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

void Function_One::SEND_USART_Contents(QString str)
{
    USART_RX_dat.clear();
    Connection->session().sent();
    if (IFunction *usart = Connection->service())
        usart->USART_Send(str);
}

void Function_One::Receive_Data(QString dat)
{
    LogView::append(Ui->USART_Log, dat);
    USART_RX_dat = dat;
    emit USART_RX_dat_SIGNALS(dat);
    Connection->session().received(dat);
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
        PictureBox::warn(this, PictureBox::WarningTitle::Page, QObject::tr("禁止使用特殊符号\"+\"请重新输入") + QStringLiteral("\r\n"),
                         QStringLiteral(":/Res/Pic/ban.png"));
    PageHelpers::showKept(field, text, cleaned.text, SettingsBatches::TypeNameMaxBytes);
}

SettingsCodec::Settings Function_One::currentSettings() const
{
    SettingsCodec::Settings settings;
    std::copy(Print_Line.cbegin(), Print_Line.cend(), settings.lines);
    for (int i = 0; i < ServiceType::Count; ++i)
        settings.typeNames[i] = Ui->QL_Type_Name[i]->text();
    settings.networkIdIndex = Ui->QC_Network_ID->currentIndex();
    settings.autoClearIndex = Ui->QC_Auto_Clear->currentIndex();
    settings.syncRestartIndex = Ui->QC_Sync_Restart->currentIndex();
    return settings;
}

QStringList Function_One::Type_Name_Command() const
{
    return SettingsBatches::typeNames(currentSettings());
}

QStringList Function_One::System_Parameter_Command() const
{
    return SettingsBatches::parameters(currentSettings(), Read_Language(false));
}

QStringList Function_One::Time_Sync_Command() const
{
    const QString command = Commands::timeSync(QDateTime::currentDateTime());
    qCDebug(lcDevice) << command;
    return {command};
}

QStringList Function_One::Build_Print_Commands(const Lines &lines) const
{
    return LineRecord::writeCommands(lines.data());
}

void Function_One::Set_System_PushButton_Handle()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    if (button == Ui->Print_Write_Push)
        runBatch(BatchKind::Ticket, Build_Print_Commands(Print_Line));
    else if (button == Ui->TYPE_PB_SET)
        runBatch(BatchKind::Names, Type_Name_Command());
    else if (button == Ui->PB_ID_sned)
        runBatch(BatchKind::Params, System_Parameter_Command());
    else if (button == Ui->PB_Time_syn_sned)
        runBatch(BatchKind::Clock, Time_Sync_Command());
    else if (button == Ui->PB_Rec_sned && ResetQuestion::confirmed(this))
        runBatch(BatchKind::Reset, {Commands::factoryReset()});
}

void Function_One::runBatch(BatchKind kind, const QStringList &commands)
{
    CommandBatch batch(kind, commands);
    USART_Send_QDialog_Handle dialog(this, batch);
    dialog.setFixedSize(500, 300);
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    dialog.setWindowTitle(QStringLiteral("Communicate"));
    // Each command straight from the batch to the page's send, which empties USART_RX_dat first.
    connect(&batch, &CommandBatch::send, this, &Function_One::SEND_USART_Contents);
    ActionTrace trace;
    Recorder->beginBatch(trace, kind);
    connect(&batch, &CommandBatch::send, this, [&trace](const QString &command) { trace.sentText(command); });
    UnitSession &unit = Connection->session();
    unit.setBatch(&batch);
    dialog.Start_send();
    dialog.exec();
    unit.setBatch(nullptr);
    qCDebug(lcDevice) << "batch window closed" << BatchKinds::name(kind);
    Recorder->endBatch(trace, batch); // after the batch, never inside its timing
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
    PictureBox::warn(this, PictureBox::WarningTitle::Page, text, QStringLiteral(":/Res/Pic/damage.png"));
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
    // Read and judged in memory: a file that is no settings file leaves the page and the file as they were.
    const SettingsFile::Loaded file = SettingsFile::load(Route);
    if (file.refused.refusal != LoadProblem::Refusal::None)
        return FileBoxes::notLoaded(this, Route, LoadProblem::reason(file.refused));
    // Missing keys read as empty or 0; the log names them, and the file is not rewritten, so what
    // remains of a cut file stays there to be looked at.
    const QStringList &missing = file.decoded.missing;
    if (!missing.isEmpty())
        PageHelpers::appendLog(Ui->USART_Log, QObject::tr("配置文件缺少 %1, 按空值或 0 载入, 文件没有改写: %2")
                                                  .arg(missing.join(QStringLiteral(", ")), Route));
    // As far as it holds: a faulty line is reported by the preview, a type name with "+" stops
    // there, and each parameter out of range is reported on its own while the others are taken.
    const SettingsCodec::Settings &s = file.decoded.settings;
    std::copy(std::begin(s.lines), std::end(s.lines), Print_Line.begin());
    bool reported = !Show_Print_Preview();
    if (file.errors.contains(QLatin1String(SettingsCodec::TypeNameError)))
        return Show_Format_Error(QLatin1String(SettingsCodec::TypeNameError));
    for (int i = 0; i < ServiceType::Count; ++i)
        Ui->QL_Type_Name[i]->setText(s.typeNames[i]);
    // The boxes hold exactly the choices the codec counts, in the codec's order.
    QComboBox *const boxes[] = {Ui->QC_Network_ID, Ui->QC_Auto_Clear, Ui->QC_Sync_Restart};
    for (size_t i = 0; i < SettingsCodec::Parameters.size(); ++i) {
        const SettingsCodec::Parameter &p = SettingsCodec::Parameters[i];
        if (file.errors.contains(QLatin1String(p.error))) {
            Show_Format_Error(QLatin1String(p.error));
            reported = true;
        } else {
            boxes[i]->setCurrentIndex(s.*p.index);
        }
    }
    if (!reported) // else the page is not what the file holds
        Settings_File->loaded(Route, file.content.data, writeBack && missing.isEmpty());
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
