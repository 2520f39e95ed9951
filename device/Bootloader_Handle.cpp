#include "Bootloader_Handle.h"

#include "firmware/FirmwareImage.h"
#include "ticket/LoadProblem.h"
#include "device/ControlNames.h"
#include "ticket/LogCategories.h"

#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QLoggingCategory>
#include <QPushButton>
#include <QStandardPaths>

namespace {
QString chooseImageFile(QWidget *parent)
{
    QFileDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("OPEN"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    dialog.setNameFilters({QStringLiteral("Text files (*.bin)")});
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
} // namespace

Bootloader_Handle::Bootloader_Handle(QWidget *parent)
    : QDialog(parent)
    , Info_Text(this)
    , chooseImage(chooseImageFile)
{
    Update_Button = new QPushButton(QObject::tr("更新固件"), this);
    Update_Button->setGeometry(380, 220, 100, 25);
    Open_Button = new QPushButton(QObject::tr("打开固件"), this);
    Open_Button->setGeometry(70, 220, 130, 25); // "Open package"
    // Enter must not start a transfer or open a file dialog by accident.
    Update_Button->setAutoDefault(false);
    Open_Button->setAutoDefault(false);
    Info_Text.setGeometry(50, 20, 450, 150);
    Info_Text.setTextColor(QColor(0, 0, 0, 255));
    Info_Text.setReadOnly(true);
    Info_Text.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Info_Text.setStyleSheet(QStringLiteral("border:1px solid rgb(181,207,231)"));
    Progress = new QProgressBar(this);
    Progress->setGeometry(50, 180, 300, 24);
    Progress->setRange(0, 1);
    Progress->setValue(0);
    Progress->setFormat(QString());
    Progress->setAccessibleName(QObject::tr("升级进度"));
    Time_Left = new QLabel(this);
    Time_Left->setGeometry(360, 180, 140, 24);
    appendLog(QObject::tr("请确认是否已经连接设备,并且已经进入升级模式...") + QStringLiteral("\r\n"));
    ControlNames::nameFirmwareWindow(this);
    initConnections();
}

void Bootloader_Handle::initConnections()
{
    connect(Update_Button, &QPushButton::clicked, this, &Bootloader_Handle::Update_APP_Button_Handle);
    connect(Open_Button, &QPushButton::clicked, this, &Bootloader_Handle::Open_Bootloader_File_Handle);
    connect(&Session, &UpgradeSession::logLine, this, &Bootloader_Handle::appendLog);
    connect(&Session, &UpgradeSession::buttonEnabledChanged, Update_Button, &QPushButton::setEnabled);
    connect(&Session, &UpgradeSession::sendText, this, &Bootloader_Handle::USART_Bootloader_COM);
    connect(&Session, &UpgradeSession::progress, this, &Bootloader_Handle::showProgress);
    connect(this, &QDialog::finished, &Session, &UpgradeSession::abandon);
    connect(&Session, &UpgradeSession::sendPackage, this, [this](const QByteArray &package) {
        QByteArray buffer = package; // valid only during the emission, as the receiver writes at once
        emit USART_Bootloader_signals(reinterpret_cast<uint8_t *>(buffer.data()), uint32_t(buffer.size()));
    });
}

void Bootloader_Handle::appendLog(const QString &text)
{
    Info_Text.moveCursor(QTextCursor::End);
    Info_Text.insertPlainText(text);
    Info_Text.moveCursor(QTextCursor::End);
}

void Bootloader_Handle::showProgress(int done, int total)
{
    if (done <= 1 || !Transfer_Clock.isValid())
        Transfer_Clock.start(); // timed from the first package on
    Progress->setRange(0, total);
    Progress->setValue(done);
    Progress->setFormat(QObject::tr("已发送 %1/%2 包").arg(done).arg(total));
    const int seconds = UpgradeSession::secondsLeft(Transfer_Clock.elapsed(), done - 1, total - 1);
    Time_Left->setText(done >= total || seconds < 0 ? QString() : QObject::tr("剩余约 %1 秒").arg(seconds));
}

void Bootloader_Handle::Update_APP_Button_Handle()
{
    const QString obstacle = upgradeObstacle ? upgradeObstacle() : QString();
    if (!obstacle.isEmpty()) {
        qCDebug(lcFirmware) << "update refused:" << obstacle;
        appendLog(obstacle + QStringLiteral("\r\n"));
        return;
    }
    Session.pressUpdate();
}

void Bootloader_Handle::USART_Update_APP_Handle(QString Ask_COM)
{
    Session.handle(Ask_COM);
}

void Bootloader_Handle::Open_Bootloader_File_Handle()
{
    if (Session.isActive()) {
        qCDebug(lcFirmware) << "open refused: a transfer runs";
        appendLog(QObject::tr("固件正在传输,不能更换固件.....") + QStringLiteral("\r\n"));
        return;
    }
    const QString name = chooseImage(this);
    if (name.isEmpty())
        return; // cancelled: the image loaded before stays
    const FirmwareImage image = FirmwareImage::load(name);
    qCDebug(lcFirmware) << "image file" << name << "size" << image.fileSize;
    switch (image.outcome) {
    case FirmwareImage::Outcome::Loaded:
        Session.setImage(image.data);
        appendLog(name + QStringLiteral(" \r\n") + QObject::tr("固件加载完成: ") + QString::number(image.data.size())
                  + QStringLiteral(" Byte\r\n"));
        break;
    case FirmwareImage::Outcome::TooLarge:
        appendLog(name + QStringLiteral(" \r\n") + QObject::tr("固件文件超过51200字节,未加载: ")
                  + QString::number(image.fileSize) + QStringLiteral(" Byte\r\n"));
        break;
    case FirmwareImage::Outcome::CannotRead:
        appendLog(name + QStringLiteral(" \r\n") + QObject::tr("固件文件无法读取,未加载.....") + QStringLiteral("\r\n")
                  + LoadProblem::reason(LoadProblem::of({image.problem, {}, image.fileSize}, FirmwareImage::MaxSize)) + QStringLiteral("\r\n"));
        break;
    }
}
