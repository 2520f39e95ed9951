#include "LoadProblem.h"

#include <QCoreApplication>

namespace {
QString tr(const char *text)
{
    return QCoreApplication::translate("QObject", text);
}
} // namespace

QString LoadProblem::reason(const InputFile::Content &content, qint64 maxSize)
{
    switch (content.problem) {
    case InputFile::Problem::None:
        return QString();
    case InputFile::Problem::Missing:
        return tr("没有找到此文件");
    case InputFile::Problem::Directory:
        return tr("这是一个文件夹, 不是文件");
    case InputFile::Problem::NotRegular:
        return tr("这不是普通文件 (设备或管道), 不能读取");
    case InputFile::Problem::Unreadable:
        return tr("文件无法读取 (没有权限或读取出错)");
    case InputFile::Problem::Empty:
        return tr("文件是空的");
    case InputFile::Problem::TooLarge:
        return tr("文件太大: %1 字节, 最多 %2 字节").arg(content.size).arg(maxSize);
    }
    return QString();
}

QString LoadProblem::settingsReason(const InputFile::Content &content, int keysFound)
{
    const QString unreadable = reason(content, InputFile::SettingsMaxSize);
    if (!unreadable.isEmpty())
        return unreadable;
    return keysFound > 0 ? QString() : tr("这不是配置文件");
}
