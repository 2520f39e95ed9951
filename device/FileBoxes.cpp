#include "FileBoxes.h"

#include "PictureBox.h"

#include <QObject>

namespace {
const QString CrLf = QStringLiteral("\r\n");
}

void FileBoxes::notLoaded(QWidget *parent, const QString &path, const QString &reason)
{
    PictureBox::warn(parent, PictureBox::WarningTitle::Plain,
                     QObject::tr("配置文件没有打开, 页面没有改动:") + CrLf + path + CrLf + reason,
                     QStringLiteral(":/Res/Pic/Warning.png"));
}

void FileBoxes::notSaved(QWidget *parent, const QString &path, const QString &reason)
{
    PictureBox::warn(parent, PictureBox::WarningTitle::Plain,
                     QObject::tr("配置文件保存失败,原文件未改动:") + CrLf + path + CrLf + reason + CrLf
                         + QObject::tr("可以用\"另存\"保存到其他文件夹."),
                     QStringLiteral(":/Res/Pic/damage.png"));
}
