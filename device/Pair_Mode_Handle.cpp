#include "Pair_Mode_Handle.h"

#include "protocol/PairingReply.h"
#include "device/Styles.h"
#include "device/PictureBox.h"
#include "protocol/Commands.h"
#include "ticket/LogCategories.h"

#include <QComboBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>

namespace {
const QString AddPicture = QStringLiteral(":/Res/Pic/add_sta.png");
const QString DeletePicture = QStringLiteral(":/Res/Pic/Delete_sta.png");
const QString HoldPicture = QStringLiteral(":/Res/Pic/Hold_down.png");
const QString PairedPicture = QStringLiteral(":/Res/Pic/ADD_OVER.png");
const QString RepeatPicture = QStringLiteral(":/Res/Pic/ADD_ERROR.png");
} // namespace

Pair_Mode_Handle::Pair_Mode_Handle(QWidget *parent, QComboBox *mode)
    : QDialog(parent)
    , Mode_Choose(mode)
    , Auto_Switch(this)
{
    State_Picture = new QLabel(this);
    State_Picture->setGeometry(40, 50, 150, 150);
    State_Text = new QLabel(this);
    State_Text->setGeometry(200, 120, 350, 30);
    State_Text->setTextFormat(Qt::PlainText); // the unit's pairing reports, shown as sent
    Set_up_Button = new QPushButton(this);
    Set_up_Button->setGeometry(415, 228, 100, 30);
    Set_up_Button->setAutoDefault(false); // Enter must not delete pairings (ALL included)
    Type_Choose = new QComboBox(this);
    Type_Choose->setGeometry(310, 160, 100, 25);
    Type_Choose_Label = new QLabel(this);
    Type_Choose_Label->setGeometry(200, 158, 100, 30);
    for (int i = 0; i < ServiceType::Count; ++i) {
        Type_State[i] = new QLabel(QObject::tr("类型") + QString::number(i + 1), this);
        Type_State[i]->setGeometry(200 + 160 * (i % 2), 25 * (1 + i / 2), 150, 30);
        Type_State[i]->setTextFormat(Qt::PlainText);
    }

    const QStringList types{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                            QStringLiteral("5")};
    if (addMode()) {
        showPicture(AddPicture);
        State_Text->setText(QObject::tr("请选择类型点击添加后按住取号器上的按键..."));
        Set_up_Button->setText(QObject::tr("添 加"));
        Type_Choose->addItems(types);
        Type_Choose_Label->setText(QObject::tr("添加类型:"));
    } else if (deleteMode()) {
        showPicture(DeletePicture);
        State_Text->setText(QObject::tr("请选择需要删除的类型点击删除..."));
        Set_up_Button->setText(QObject::tr("删除"));
        Type_Choose->addItems(types + QStringList{QStringLiteral("ALL")});
        Type_Choose_Label->setText(QObject::tr("删除类型:"));
    }
    // Connected after filling, so filling does not count as a change of type.
    connect(Set_up_Button, &QPushButton::clicked, this, &Pair_Mode_Handle::Set_up_Button_Handle);
    connect(Type_Choose, &QComboBox::currentTextChanged, this, &Pair_Mode_Handle::Type_Choose_Change);

    Auto_Switch_Label = new QLabel(QObject::tr("自动切换:"), this);
    Auto_Switch_Label->setGeometry(200, 227, 120, 30);
    Auto_Switch.move(325, 233);
    Auto_Switch.setToolTip(QObject::tr("选中后配对成功后会自动跳转下一个类型"));
    Auto_Switch.setStyleSheet(Styles::radioIndicatorSheet());
    Auto_Switch.setChecked(false);
}

bool Pair_Mode_Handle::addMode() const
{
    return Mode_Choose && Mode_Choose->currentIndex() == 0;
}

bool Pair_Mode_Handle::deleteMode() const
{
    return Mode_Choose && Mode_Choose->currentIndex() == 1;
}

void Pair_Mode_Handle::showPicture(const QString &name)
{
    Picture_Name = name;
    State_Picture->setPixmap(PictureBox::picture(name, 128));
}

void Pair_Mode_Handle::Set_up_Button_Handle()
{
    if (addMode()) {
        emit USART_SEND_SIGNALS(Commands::pairAdd(Type_Choose->currentText()));
        showPicture(HoldPicture); // the operator now holds the dispenser's key
    } else if (deleteMode()) {
        emit USART_SEND_SIGNALS(Commands::pairDelete(Type_Choose->currentText()));
    }
}

void Pair_Mode_Handle::Type_Choose_Change()
{
    if (addMode()) {
        State_Text->setText(QObject::tr("请选择类型点击添加后按住取号器上的按键..."));
        showPicture(AddPicture);
    } else if (deleteMode()) {
        State_Text->setText(QObject::tr("请选择需要删除的类型点击删除..."));
    }
}

void Pair_Mode_Handle::USART_RETURN_dat_Handel(QString dat)
{
    qCDebug(lcPairing) << "received" << dat;
    const PairingReply reply = PairingReply::parse(dat);
    if (!reply.fromUnit)
        return;
    if (reply.status)
        State_Text->setText(*reply.status);
    for (int i = 0; i < ServiceType::Count; ++i)
        if (reply.typeLines[i])
            Type_State[i]->setText(*reply.typeLines[i]);
    if (reply.picture == PairingReply::Picture::Paired)
        showPicture(PairedPicture);
    else if (reply.picture == PairingReply::Picture::AlreadyPaired)
        showPicture(RepeatPicture);
    if (reply.advance)
        advanceType();
}

void Pair_Mode_Handle::advanceType()
{
    if (!Auto_Switch.isChecked())
        return;
    const int n = Type_Choose->currentText().toInt(); // 0 when not a number
    if (n >= 0 && n <= 4)
        Type_Choose->setCurrentIndex(n);
}
