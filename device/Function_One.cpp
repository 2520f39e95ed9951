#include "Function_One.h"

#include "Pair_Mode_Handle.h"
#include "StateReply.h"
#include "app/Language.h"
#include "app/PageHelpers.h"
#include "app/PictureBox.h"
#include "app/RememberedPort.h"
#include "protocol/Commands.h"
#include "protocol/FieldText.h"
#include "protocol/SettingsBatches.h"
#include "protocol/USART_Send_QDialog_Handle.h"
#include "serial/IFunction.h"
#include "serial/PortEntry.h"
#include "ticket/LineRecord.h"
#include "ticket/PreviewRenderer.h"
#include "ticket/QDialg_add_Line.h"
#include "ticket/SettingsCodec.h"
#include "ticket/SettingsFile.h"

#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>

Q_LOGGING_CATEGORY(lcDevice, "tq.device")

int Function_One::COM_Count = 0;

namespace {
const char *const StateQuery = "ATSW+STATE+OK";
constexpr int PortRefreshMs = 2000;

QLabel *makeLabel(QWidget *parent, const QString &text, int x, int y, int w = -1, int h = -1)
{
    auto *label = new QLabel(text, parent);
    if (w > 0) {
        label->setGeometry(x, y, w, h);
    } else {
        label->move(x, y);
        label->adjustSize();
    }
    return label;
}

QPushButton *makeButton(QWidget *parent, const QString &text, const QString &tip, int x, int y, int w, int h)
{
    auto *button = new QPushButton(text, parent);
    button->setGeometry(x, y, w, h);
    button->setToolTip(tip);
    return button;
}

QComboBox *makeCombo(QWidget *parent, int x, int y, const QStringList &items)
{
    auto *box = new QComboBox(parent);
    box->setGeometry(x, y, 105, 25);
    box->addItems(items);
    return box;
}

QString imageButtonSheet(const QString &normal, const QString &pressed, const QString &hover)
{
    return QStringLiteral("QPushButton{border-image:url(%1);background:transparent;}"
                          "QPushButton:pressed{border-image:url(%2);}"
                          "QPushButton:hover,QPushButton:focus{border-image:url(%3);}")
        .arg(normal, pressed, hover);
}
} // namespace

Function_One::Function_One(QWidget *parent)
    : QWidget(parent)
{
    move(0, 20);
    buildTicketGroup();
    buildConnectionControls();
    buildTypeGroup();
    buildParameterGroup();
    buildPairingGroup();
    buildOtherGroup();
    setCommandButtonsEnabled(false);
    nameControls();
    initConnections();
}

void Function_One::nameControls()
{
    // Object names as the members are called, for accessibility tools and scripted tests.
    const std::pair<QObject *, const char *> named[] = {
        {QC_COM_Choose, "QC_COM_Choose"}, {QB_OPEN_USART, "QB_OPEN_USART"}, {QB_Add_Line, "QB_Add_Line"},
        {Print_Write_Push, "Print_Write_Push"}, {Print_Preview, "Print_Preview"}, {PB_Rec_sned, "PB_Rec_sned"},
        {PB_Time_syn_sned, "PB_Time_syn_sned"}, {TYPE_PB_SET, "TYPE_PB_SET"}, {PB_ID_sned, "PB_ID_sned"},
        {QC_Auto_Clear, "QC_Auto_Clear"}, {QC_Sync_Restart, "QC_Sync_Restart"}, {QC_Network_ID, "QC_Network_ID"},
        {Version_Label, "Version_Label"}, {State_Label, "State_Label"}, {Pair_Set_Push, "Pair_Set_Push"},
        {QC_Pair_Mode, "QC_Pair_Mode"}, {USART_Log, "USART_Log"}};
    for (const auto &n : named)
        n.first->setObjectName(QLatin1String(n.second));
    for (int i = 0; i < 5; ++i)
        QL_Type_Name[i]->setObjectName(QStringLiteral("QL_Type_Name_%1").arg(i + 1));
}

void Function_One::initConnections()
{
    connect(COM_Update_Timer, &QTimer::timeout, this, &Function_One::Function_USART_COM_LA_UPDAT);
    connect(State_Query_Timer, &QTimer::timeout, this, &Function_One::repeatStateQuery);
    connect(QB_OPEN_USART, &QPushButton::clicked, this, &Function_One::OPEN_USART_BUTTON);
    for (QLineEdit *name : QL_Type_Name)
        connect(name, &QLineEdit::textChanged, this, &Function_One::Limit_Ql_type_Lenght);
    connect(QB_Add_Line, &QPushButton::clicked, this, &Function_One::OPEN_Dialg_Add_Line);
    connect(Pair_Set_Push, &QPushButton::clicked, this, &Function_One::Pair_Mode_PushButton_Handle);
    for (QPushButton *button : {Print_Write_Push, TYPE_PB_SET, PB_ID_sned, PB_Time_syn_sned, PB_Rec_sned})
        connect(button, &QPushButton::clicked, this, &Function_One::Set_System_PushButton_Handle);
}

void Function_One::buildTicketGroup()
{
    auto *group = new QGroupBox(this);
    group->setGeometry(5, 5, 600, 570);

    QB_Add_Line = makeButton(group, QString(), QObject::tr("点我^.^添加小票页面内容"), 32, 32, 37, 37);
    QB_Add_Line->setFlat(true);
    QB_Add_Line->setStyleSheet(imageButtonSheet(QStringLiteral(":/Res/Pic/add_Q.png"), QStringLiteral(":/Res/Pic/add_B.png"),
                                                QStringLiteral(":/Res/Pic/add.png")));

    Print_Write_Push = makeButton(group, QString(), QObject::tr("点我^.^写入小票页面内容到管理机"), 30, 510, 45, 45);
    PageHelpers::setWordPicture(Print_Write_Push, QObject::tr("写"), QStringLiteral(":/Res/Pic/Write1_A.png"),
                                QStringLiteral(":/Res/Pic/Write1_B.png"));

    Print_Preview = new QTextBrowser(group);
    Print_Preview->setGeometry(100, 30, 400, 530);
    Print_Preview->setStyleSheet(QStringLiteral("border:1px solid rgb(181,207,231)"));
    Print_Preview->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Print_Preview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void Function_One::buildConnectionControls()
{
    QC_COM_Choose = new QComboBox(this);
    QC_COM_Choose->setGeometry(615, 10, 250, 25);
    QB_OPEN_USART = makeButton(this, QObject::tr("连接设备"),
                               QObject::tr("点我^.^连接管理机 管理机名字一般以\"Prolific\"开头"), 880, 10, 100, 25);
    // Any device path can be typed in; it is not added to the list.
    QC_COM_Choose->setEditable(true);
    QC_COM_Choose->setInsertPolicy(QComboBox::NoInsert);
    COM_Update_Timer = new QTimer(this);
    COM_Update_Timer->start(PortRefreshMs);
    State_Query_Timer = new QTimer(this);
}

void Function_One::buildTypeGroup()
{
    auto *group = new QGroupBox(QObject::tr("类型设置"), this);
    group->setGeometry(610, 45, 380, 150);
    const QString captions[5] = {QObject::tr("类型一:"), QObject::tr("类型二:"), QObject::tr("类型三:"),
                                 QObject::tr("类型四:"), QObject::tr("类型五:")};
    const QPoint labelAt[5] = {{10, 30}, {190, 30}, {10, 70}, {190, 70}, {10, 110}};
    for (int i = 0; i < 5; ++i) {
        // 60 wide (up to the field) so that "Type 1:" fits in every language.
        Type_Name_Label[i] = makeLabel(group, captions[i], labelAt[i].x(), labelAt[i].y(), 60, 25);
        QL_Type_Name[i] = new QLineEdit(group);
        QL_Type_Name[i]->setGeometry(labelAt[i].x() + 60, labelAt[i].y(), 100, 25);
    }
    makeLabel(group, QObject::tr("单  击:"), 190, 110, 50, 30);
    TYPE_PB_SET = makeButton(group, QObject::tr("设置"), QObject::tr("点我^.^写入小票各类型名字到管理机"), 250, 112, 100, 25);
}

void Function_One::buildParameterGroup()
{
    auto *group = new QGroupBox(QObject::tr("系统参数设置"), this);
    group->setGeometry(610, 200, 380, 175);
    PB_ID_sned = makeButton(group, QObject::tr("设置"), QObject::tr("点我^.^写入系统参数到管理机"), 250, 36, 100, 25);

    QStringList ids;
    for (int n = 0; n < 100; ++n)
        ids << QString::number(n);
    QStringList hours{QObject::tr("禁止")};
    for (int h = 0; h < 24; ++h)
        hours << QString::asprintf("%02d", h) + QStringLiteral(":00");

    makeLabel(group, QObject::tr("网络ID设置"), 10, 45);
    QC_Network_ID = makeCombo(group, 128, 37, ids);
    makeLabel(group, QObject::tr("自动清号设置"), 10, 90);
    QC_Auto_Clear = makeCombo(group, 128, 82, hours);
    makeLabel(group, QObject::tr("同步重启设置"), 10, 140);
    QC_Sync_Restart = makeCombo(group, 128, 132, {QObject::tr("允许"), QObject::tr("禁止")});
}

void Function_One::buildPairingGroup()
{
    auto *group = new QGroupBox(QObject::tr("取号器配对"), this);
    group->setGeometry(610, 380, 380, 65);
    makeLabel(group, QObject::tr("取号类型选择"), 10, 35);
    QC_Pair_Mode = makeCombo(group, 120, 28, {QObject::tr("添加取号器"), QObject::tr("删除取号器")});
    QC_Pair_Mode->resize(122, 25); // five Chinese characters and the arrow
    Pair_Set_Push = makeButton(group, QObject::tr("设置"), QObject::tr("点我^.^添加取号器类型"), 250, 28, 100, 25);
}

void Function_One::buildOtherGroup()
{
    auto *group = new QGroupBox(QObject::tr("其他设置"), this);
    group->setGeometry(610, 450, 380, 125);
    // Wide enough for "Restore Settings"; the log view gives up the room.
    PB_Time_syn_sned = makeButton(group, QObject::tr("同步时间"), QObject::tr("点我^.^同步系统时间到管理机"), 232, 30, 140, 30);
    PB_Rec_sned = makeButton(group, QObject::tr("恢复出厂设置"), QObject::tr("点我^.^管理机恢复出厂设置 需谨慎"), 232, 80, 140, 30);
    State_Label = makeLabel(group, QObject::tr("连接状态:---"), 128, 93, 102, 15); // "连接状态:在线" in full
    Version_Label = makeLabel(group, QObject::tr("固件版本号:---"), 8, 93, 118, 15);

    USART_Log = new QTextEdit(group);
    USART_Log->setGeometry(8, 30, 216, 51);
    USART_Log->setReadOnly(true);
    USART_Log->setTextColor(QColor(0, 0, 0));
    USART_Log->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    USART_Log->setStyleSheet(QStringLiteral("border:1px solid rgb(233,230,234)"));
}

QList<QPushButton *> Function_One::commandButtons() const
{
    return {TYPE_PB_SET, PB_ID_sned, Print_Write_Push, PB_Rec_sned, PB_Time_syn_sned, Pair_Set_Push};
}

void Function_One::setCommandButtonsEnabled(bool enabled)
{
    for (QPushButton *button : commandButtons())
        button->setEnabled(enabled);
}

void Function_One::showNotConnectedLabels()
{
    State_Label->setText(QObject::tr("连接状态:---"));
    Version_Label->setText(QObject::tr("固件版本号:---"));
}

void Function_One::Set_Function(IFunction *f)
{
    usart = f;
}

void Function_One::USART_COM_Show(QStringList list)
{
    // Same count keeps the box as it is, selection included, even if an entry changed.
    if (list.size() == COM_Count)
        return;
    const QString text = QC_COM_Choose->currentText();
    const bool typed = !text.isEmpty() && QC_COM_Choose->findText(text) < 0;
    QC_COM_Choose->clear();
    for (const QString &entry : qAsConst(list))
        QC_COM_Choose->addItem(entry, usart ? usart->USART_COM_Location(entry) : QString());
    COM_Count = list.size();
    if (typed) // a path the operator typed survives the refresh
        QC_COM_Choose->setEditText(text);
}

void Function_One::Function_USART_COM_LA_UPDAT()
{
    if (usart)
        USART_COM_Show(usart->USART_COM_List());
}

void Function_One::OPEN_USART_BUTTON()
{
    if (!usart)
        return;
    if (!COM_Update_Timer->isActive()) {
        usart->USART_Close();
        Link_Lost();
        return;
    }
    const QString entry = QC_COM_Choose->currentText().trimmed();
    const int listed = QC_COM_Choose->findText(entry);
    const QString portName = portNameFromEntry(entry, listed >= 0 ? QC_COM_Choose->itemData(listed).toString() : QString());
    qCDebug(lcDevice) << "opening" << entry << "as" << portName;
    if (!usart->USART_Open(portName)) {
        PictureBox::show(this, tr("Warning"),
                         QObject::tr("连接错误请检查端口号是否正确....") + SerialLink::explain(portName, usart->USART_Open_Failure()),
                         QStringLiteral(":/Res/Pic/Warning.png"));
        showNotConnectedLabels();
        setCommandButtonsEnabled(false);
        return;
    }
    if (listed < 0 && !entry.isEmpty())
        RememberedPort::save(entry);
    QB_OPEN_USART->setText(QObject::tr("断开设备"));
    COM_Update_Timer->stop();
    QC_COM_Choose->setEnabled(false);
    const int connection = ++Connection_Serial;
    // The unit needs a moment after the port opens; the GUI stays responsive meanwhile.
    QElapsedTimer opened;
    opened.start();
    sendStateQueryWhenDue(connection, opened);
}

void Function_One::showRememberedPort()
{
    const QString typed = RememberedPort::load();
    if (!typed.isEmpty())
        QC_COM_Choose->setEditText(typed);
}

void Function_One::sendStateQueryWhenDue(int connection, const QElapsedTimer &opened)
{
    // Measured on the monotonic clock: setting the PC's clock must not move the query.
    const int remaining = int(qMax<qint64>(0, StateQueryDelayMs + 1 - opened.elapsed()));
    QTimer::singleShot(remaining, Qt::PreciseTimer, this, [this, connection, opened] {
        if (connection != Connection_Serial || COM_Update_Timer->isActive())
            return; // closed or reconnected meanwhile
        if (opened.elapsed() <= StateQueryDelayMs) {
            sendStateQueryWhenDue(connection, opened);
            return;
        }
        Unanswered_Queries = 0;
        SEND_USART_Contents(QString::fromLatin1(StateQuery));
        State_Query_Timer->start(StateQueryRepeatMs);
    });
}

void Function_One::repeatStateQuery()
{
    if (COM_Update_Timer->isActive() || Unit_Online) {
        State_Query_Timer->stop();
        return;
    }
    if (Queries_Paused)
        return;
    // Once: the operator should look at the unit rather than wait for it.
    if (++Unanswered_Queries == 1) {
        USART_Log->moveCursor(QTextCursor::End);
        USART_Log->insertPlainText(QObject::tr("管理机没有应答,请检查电源和连接线.....") + QStringLiteral("\r\n"));
        USART_Log->moveCursor(QTextCursor::End);
    }
    SEND_USART_Contents(QString::fromLatin1(StateQuery));
}

void Function_One::setStateQueryPaused(bool paused)
{
    Queries_Paused = paused;
}

void Function_One::SEND_USART_Contents(QString str)
{
    USART_RX_dat.clear();
    if (usart)
        usart->USART_Send(str);
}

void Function_One::Receive_Data(QString dat)
{
    USART_Log->textCursor().insertText(dat);
    USART_Log->moveCursor(QTextCursor::End);
    USART_RX_dat = dat;
    emit USART_RX_dat_SIGNALS(dat);
    if (const auto version = stateReplyVersion(dat)) {
        Unit_Online = true;
        State_Query_Timer->stop();
        State_Label->setText(QObject::tr("连接状态:在线"));
        Version_Label->setText(QObject::tr("固件版本号:") + *version);
        setCommandButtonsEnabled(true);
    }
}

void Function_One::Link_Lost()
{
    ++Connection_Serial;
    Unit_Online = false;
    State_Query_Timer->stop();
    COM_Update_Timer->start(PortRefreshMs);
    QB_OPEN_USART->setText(QObject::tr("连接设备"));
    QC_COM_Choose->setEnabled(true);
    showNotConnectedLabels();
    setCommandButtonsEnabled(false);
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

void Function_One::Type_Name_Command(QString *list)
{
    const QStringList batch = SettingsBatches::typeNames(currentSettings());
    std::copy(batch.cbegin(), batch.cend(), list);
    qCDebug(lcDevice) << "type names to send:" << batch.size();
}

void Function_One::System_Parameter_Command(QString *list)
{
    const QStringList batch = SettingsBatches::parameters(currentSettings(), Read_Language(false));
    std::copy(batch.cbegin(), batch.cend(), list);
}

void Function_One::Time_Sync_Command(QString *cmd)
{
    cmd[0] = Commands::timeSync(QDateTime::currentDateTime());
    qCDebug(lcDevice) << cmd[0];
}

void Function_One::Set_System_PushButton_Handle()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    QString batch[10];
    if (button == Print_Write_Push) {
        Build_Print_Commands(Print_Line, batch);
        runBatch(QStringLiteral("Print_Write_Push"), batch);
    } else if (button == TYPE_PB_SET) {
        Type_Name_Command(batch);
        runBatch(QStringLiteral("TYPE_PB_SET"), batch);
    } else if (button == PB_ID_sned) {
        System_Parameter_Command(batch);
        runBatch(QStringLiteral("PB_ID_sned"), batch);
    } else if (button == PB_Time_syn_sned) {
        Time_Sync_Command(batch);
        runBatch(QStringLiteral("PB_Time_syn_sned"), batch);
    } else if (button == PB_Rec_sned) {
        batch[0] = Commands::factoryReset();
        runBatch(QStringLiteral("PB_Rec_sned"), batch);
    }
}

void Function_One::runBatch(const QString &kind, QString *batch)
{
    USART_Send_QDialog_Handle dialog(this, batch, &USART_RX_dat, kind);
    dialog.setFixedSize(500, 300);
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    dialog.setWindowTitle(QStringLiteral("Communicate"));
    connect(&dialog, &USART_Send_QDialog_Handle::USART_SEND_SIGNALS, this, &Function_One::SEND_USART_Contents);
    dialog.Start_send();
    dialog.exec();
    qCDebug(lcDevice) << "batch dialog closed" << kind;
}

void Function_One::Build_Print_Commands(const QString *lines, QString *commands)
{
    const QStringList built = LineRecord::writeCommands(lines);
    std::copy(built.cbegin(), built.cend(), commands);
}

void Function_One::OPEN_Dialg_Add_Line()
{
    QDialg_add_Line dialog(this, Print_Line);
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
    Print_Preview->clear();
    for (QString &line : Print_Line)
        line.clear();
}

bool Function_One::Show_Print_Preview()
{
    Print_Preview->clear();
    const PreviewRenderer::Result page = PreviewRenderer::render(Print_Line);
    if (!page.errorCode.isEmpty()) {
        Clear_Print_Page();
        Show_Format_Error(page.errorCode);
        return false;
    }
    Print_Preview->setHtml(page.html);
    Print_Preview->moveCursor(QTextCursor::End);
    return true;
}

void Function_One::Show_Format_Error(const QString &code)
{
    const QString text = QObject::tr("格式错误") + QLatin1Char(' ') + code + QLatin1Char(' ') + QObject::tr("或者文件可能已经损坏!!!");
    for (QLineEdit *name : QL_Type_Name)
        name->clear();
    Clear_Print_Page();
    PictureBox::show(this, tr("Warning"), text, QStringLiteral(":/Res/Pic/damage.png"));
}

SettingsCodec::Settings Function_One::currentSettings() const
{
    SettingsCodec::Settings settings;
    for (int i = 0; i < 10; ++i)
        settings.lines[i] = Print_Line[i];
    for (int i = 0; i < 5; ++i)
        settings.typeNames[i] = QL_Type_Name[i]->text();
    settings.networkIdIndex = QC_Network_ID->currentIndex();
    settings.autoClearIndex = QC_Auto_Clear->currentIndex();
    settings.syncRestartIndex = QC_Sync_Restart->currentIndex();
    return settings;
}

bool Function_One::writeSettingsFile(const QString &route, QString *error) const
{
    const QByteArray content = SettingsCodec::encode(currentSettings());
    return !content.isEmpty() && SettingsFile::replace(route, content, error);
}

bool Function_One::Save_FILE_Operation(QString Route)
{
    QString error;
    if (!writeSettingsFile(Route, &error)) {
        qCWarning(lcDevice) << "settings not saved" << Route << error;
        const QString crlf = QStringLiteral("\r\n");
        PictureBox::show(this, tr("Warning"),
                         QObject::tr("配置文件保存失败,原文件未改动:") + crlf + Route + crlf + error + crlf
                             + QObject::tr("可以用\"另存\"保存到其他文件夹."),
                         QStringLiteral(":/Res/Pic/damage.png"));
        return false;
    }
    PageHelpers::appendLog(USART_Log, QObject::tr("已保存:") + QLatin1Char(' ') + Route);
    return true;
}

void Function_One::OPEN_FILE_Operation(QString Route)
{
    loadSettingsFile(Route, true);
}

void Function_One::loadSettingsFile(const QString &Route, bool writeBack)
{
    // Decoded in memory: the operator's file is only ever rewritten after a clean load.
    const SettingsCodec::Decoded file = SettingsCodec::decode(SettingsFile::read(Route).data);
    const SettingsCodec::Settings &s = file.settings;

    for (int i = 0; i < 10; ++i)
        Print_Line[i] = s.lines[i];
    bool reported = !Show_Print_Preview();

    for (const QString &name : s.typeNames) {
        if (name.contains(QLatin1Char('+'))) {
            Show_Format_Error(QStringLiteral("020"));
            return;
        }
    }
    for (int i = 0; i < 5; ++i)
        QL_Type_Name[i]->setText(s.typeNames[i]);

    const struct {
        QComboBox *box;
        int index;
        const char *code;
    } parameters[] = {{QC_Network_ID, s.networkIdIndex, "015"},
                      {QC_Auto_Clear, s.autoClearIndex, "016"},
                      {QC_Sync_Restart, s.syncRestartIndex, "017"}};
    for (const auto &p : parameters) {
        if (p.index >= 0 && p.index < p.box->count()) {
            p.box->setCurrentIndex(p.index);
        } else {
            Show_Format_Error(QLatin1String(p.code));
            reported = true;
        }
    }
    // The file is rewritten from what was loaded; the operator asked to open, not to save, so a
    // failure here is only logged and the file stays as it was.
    QString error;
    if (writeBack && !reported && file.keysFound > 0 && !writeSettingsFile(Route, &error))
        qCWarning(lcDevice) << "loaded settings not written back" << Route << error;
}

void Function_One::Pair_Mode_PushButton_Handle()
{
    Pair_Mode_Handle dialog(this, QC_Pair_Mode);
    dialog.setFixedSize(550, 300);
    dialog.setWindowTitle(QStringLiteral("Pair Mode"));
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    connect(&dialog, &Pair_Mode_Handle::USART_SEND_SIGNALS, this, &Function_One::SEND_USART_Contents);
    connect(this, &Function_One::USART_RX_dat_SIGNALS, &dialog, &Pair_Mode_Handle::USART_RETURN_dat_Handel);
    // Straight to the service: the batch window's last acknowledgement may stay in USART_RX_dat.
    if (usart)
        usart->USART_Send(Commands::pairReadAll());
    dialog.exec();
}
