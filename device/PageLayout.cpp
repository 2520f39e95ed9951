#include "PageLayout.h"

#include "ControlNames.h"
#include "LazyPopupComboBox.h"
#include "LogView.h"
#include "PageHelpers.h"
#include "PortBox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextEdit>

namespace {
QLabel *makeLabel(QWidget *parent, const QString &text, int x, int y, int w = -1, int h = -1)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText); // some show what the unit sent
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
    auto *box = new LazyPopupComboBox(parent);
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

PageLayout::PageLayout(QWidget *page)
{
    buildTicketGroup(page);
    buildConnectionControls(page);
    buildTypeGroup(page);
    buildParameterGroup(page);
    buildPairingGroup(page);
    buildOtherGroup(page);
    setCommandButtonsEnabled(false);
    nameControls();
    nameForScreenReaders(page);
}

void PageLayout::nameControls()
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
    for (int i = 0; i < ServiceType::Count; ++i)
        QL_Type_Name[i]->setObjectName(QStringLiteral("QL_Type_Name_%1").arg(i + 1));
}

void PageLayout::nameForScreenReaders(QWidget *page)
{
    // Fields take the caption on their row ("类型一"); the buttons that read alike get their own words.
    ControlNames::nameFromCaptions(page);
    QB_Add_Line->setAccessibleName(QObject::tr("添加小票内容"));
    Print_Write_Push->setAccessibleName(QObject::tr("写入小票内容"));
    Print_Preview->setAccessibleName(QObject::tr("小票预览"));
    QC_COM_Choose->setAccessibleName(QObject::tr("端口"));
    QC_COM_Choose->lineEdit()->setAccessibleName(QObject::tr("端口名称"));
    TYPE_PB_SET->setAccessibleName(QObject::tr("设置类型名称"));
    PB_ID_sned->setAccessibleName(QObject::tr("设置系统参数"));
    Pair_Set_Push->setAccessibleName(QObject::tr("设置取号器配对"));
    USART_Log->setAccessibleName(QObject::tr("通信记录"));
    // Down the left column, then the right one row by row.
    ControlNames::chainTabOrder({QB_Add_Line, Print_Preview, Print_Write_Push, QC_COM_Choose, QB_OPEN_USART,
                                 QL_Type_Name[0], QL_Type_Name[1], QL_Type_Name[2], QL_Type_Name[3], QL_Type_Name[4],
                                 TYPE_PB_SET, QC_Network_ID, PB_ID_sned, QC_Auto_Clear, QC_Sync_Restart, QC_Pair_Mode,
                                 Pair_Set_Push, USART_Log, PB_Time_syn_sned, PB_Rec_sned});
}

void PageLayout::buildTicketGroup(QWidget *page)
{
    auto *group = new QGroupBox(page);
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

void PageLayout::buildConnectionControls(QWidget *page)
{
    QC_COM_Choose = new QComboBox(page);
    QC_COM_Choose->setGeometry(615, 10, 250, 25);
    QB_OPEN_USART = makeButton(page, QObject::tr("连接设备"),
                               QObject::tr("点我^.^连接管理机 管理机名字一般以\"Prolific\"开头"), 880, 10, 100, 25);
    // Any device path can be typed in; it is not added to the list.
    QC_COM_Choose->setEditable(true);
    QC_COM_Choose->setInsertPolicy(QComboBox::NoInsert);
    PortBox::setUp(QC_COM_Choose);
}

void PageLayout::buildTypeGroup(QWidget *page)
{
    auto *group = new QGroupBox(QObject::tr("类型设置"), page);
    group->setGeometry(610, 45, 380, 150);
    const QString captions[ServiceType::Count] = {QObject::tr("类型一:"), QObject::tr("类型二:"), QObject::tr("类型三:"),
                                 QObject::tr("类型四:"), QObject::tr("类型五:")};
    const QPoint labelAt[ServiceType::Count] = {{10, 30}, {190, 30}, {10, 70}, {190, 70}, {10, 110}};
    for (int i = 0; i < ServiceType::Count; ++i) {
        // 60 wide (up to the field) so that "Type 1:" fits in every language.
        Type_Name_Label[i] = makeLabel(group, captions[i], labelAt[i].x(), labelAt[i].y(), 60, 25);
        QL_Type_Name[i] = new QLineEdit(group);
        QL_Type_Name[i]->setGeometry(labelAt[i].x() + 60, labelAt[i].y(), 100, 25);
    }
    makeLabel(group, QObject::tr("单  击:"), 190, 110, 50, 30);
    TYPE_PB_SET = makeButton(group, QObject::tr("设置"), QObject::tr("点我^.^写入小票各类型名字到管理机"), 250, 112, 100, 25);
}

void PageLayout::buildParameterGroup(QWidget *page)
{
    auto *group = new QGroupBox(QObject::tr("系统参数设置"), page);
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

void PageLayout::buildPairingGroup(QWidget *page)
{
    auto *group = new QGroupBox(QObject::tr("取号器配对"), page);
    group->setGeometry(610, 380, 380, 65);
    makeLabel(group, QObject::tr("取号类型选择"), 10, 35);
    QC_Pair_Mode = makeCombo(group, 120, 28, {QObject::tr("添加取号器"), QObject::tr("删除取号器")});
    QC_Pair_Mode->resize(122, 25); // five Chinese characters and the arrow
    Pair_Set_Push = makeButton(group, QObject::tr("设置"), QObject::tr("点我^.^添加取号器类型"), 250, 28, 100, 25);
}

void PageLayout::buildOtherGroup(QWidget *page)
{
    auto *group = new QGroupBox(QObject::tr("其他设置"), page);
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
    LogView::setUp(USART_Log);
}

QList<QPushButton *> PageLayout::commandButtons() const
{
    return {TYPE_PB_SET, PB_ID_sned, Print_Write_Push, PB_Rec_sned, PB_Time_syn_sned, Pair_Set_Push};
}

void PageLayout::setCommandButtonsEnabled(bool enabled)
{
    for (QPushButton *button : commandButtons())
        button->setEnabled(enabled);
}

void PageLayout::showNotConnectedLabels()
{
    State_Label->setText(QObject::tr("连接状态:---"));
    Version_Label->setText(QObject::tr("固件版本号:---"));
    Version_Label->setToolTip(QString()); // a long version's whole text goes with it
}

