#include "ResetQuestion.h"

#include "device/PictureBox.h"

#include <QAbstractButton>
#include <QMessageBox>

bool ResetQuestion::confirmed(QWidget *parent)
{
    QMessageBox box(QMessageBox::NoIcon, PictureBox::warningTitle(PictureBox::WarningTitle::Plain),
                    QObject::tr("恢复出厂设置会清除管理机上的全部设置, 确定要恢复吗?"), QMessageBox::Yes | QMessageBox::No,
                    parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.setObjectName(QStringLiteral("ResetQuestion"));
    box.setIconPixmap(PictureBox::picture(QStringLiteral(":/Res/Pic/Warning.png"), 128));
    box.button(QMessageBox::Yes)->setText(QObject::tr("是"));
    box.button(QMessageBox::No)->setText(QObject::tr("否"));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
