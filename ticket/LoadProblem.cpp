#include "LoadProblem.h"

#include <QCoreApplication>


QString LoadProblem::reason(const InputFile::Content &content, qint64 maxSize)
{
    switch (content.problem) {
    case InputFile::Problem::None:
        return QString();
    case InputFile::Problem::Missing:
        return QCoreApplication::translate("QObject", "没有找到此文件");
    case InputFile::Problem::Directory:
        return QCoreApplication::translate("QObject", "这是一个文件夹, 不是文件");
    case InputFile::Problem::NotRegular:
        return QCoreApplication::translate("QObject", "这不是普通文件 (设备或管道), 不能读取");
    case InputFile::Problem::Unreadable:
        return QCoreApplication::translate("QObject", "文件无法读取 (没有权限或读取出错)");
    case InputFile::Problem::Empty:
        return QCoreApplication::translate("QObject", "文件是空的");
    case InputFile::Problem::TooLarge:
        return QCoreApplication::translate("QObject", "文件太大: %1 字节, 最多 %2 字节").arg(content.size).arg(maxSize);
    }
    return QString();
}

QString LoadProblem::settingsReason(const InputFile::Content &content, const SettingsCodec::Decoded &decoded)
{
    const QString unreadable = reason(content, InputFile::SettingsMaxSize);
    if (!unreadable.isEmpty())
        return unreadable;
    if (!decoded.typedKey.isEmpty())
        return QCoreApplication::translate("QObject", "键 %1 的值是 %2(...) 形式的数据, 配置文件只存文字和数字")
            .arg(decoded.typedKey, decoded.typedForm);
    return decoded.keysFound > 0 ? QString() : QCoreApplication::translate("QObject", "这不是配置文件");
}
