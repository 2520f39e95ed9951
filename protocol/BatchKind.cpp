#include "BatchKind.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {
const BatchKind Kinds[] = {
    {"Print_Write_Push", 10, QT_TRANSLATE_NOOP("QObject", "正在解析小票页面内容......."), "ATPW\\+7\\+OK!\\r\\n"},
    {"TYPE_PB_SET", 5, QT_TRANSLATE_NOOP("QObject", "正在解析类型名字内容......."), "ATLW\\+[0-5]\\+OK!\\r\\n"},
    {"PB_ID_sned", 4, QT_TRANSLATE_NOOP("QObject", "正在解析系统参数......."), "ATNW\\+[0-3]\\+OK!\\r\\n"},
    {"PB_Time_syn_sned", 1, QT_TRANSLATE_NOOP("QObject", "正在获取系统时间......."), "ATTW\\+43\\+OK!\\r\\n"},
    {"PB_Rec_sned", 1, QT_TRANSLATE_NOOP("QObject", "正在恢复系统出厂设置......."), "ATRW\\+51\\+OK!\\r\\n"},
};
} // namespace

const BatchKind *BatchKind::byName(const QString &name)
{
    for (const BatchKind &kind : Kinds)
        if (name == QLatin1String(kind.name))
            return &kind;
    return nullptr;
}

bool BatchKind::acknowledges(const QString &text) const
{
    // Anchored at both ends: the whole delivered text must be the acknowledgement, as with QRegExp::exactMatch.
    const QRegularExpression ack(QRegularExpression::anchoredPattern(QString::fromLatin1(pattern)));
    return ack.match(text).hasMatch();
}

QString BatchKind::headerLine() const
{
    return QCoreApplication::translate("QObject", header) + QStringLiteral("\r\n");
}
