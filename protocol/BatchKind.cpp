#include "BatchKind.h"

#include "SettingsBatches.h"
#include "ticket/LineRecord.h"
#include "ticket/ServiceType.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <iterator>

namespace {
const struct {
    int examined;
    const char *header; // translated in the "QObject" context
    const char *pattern;
    const char *name;
} Kinds[] = {
    {LineRecord::SlotCount, QT_TRANSLATE_NOOP("QObject", "正在解析小票页面内容......."), "ATPW\\+7\\+OK!\\r\\n", "ticket"},
    {ServiceType::Count, QT_TRANSLATE_NOOP("QObject", "正在解析类型名字内容......."), "ATLW\\+[0-5]\\+OK!\\r\\n", "names"},
    {SettingsBatches::ParameterCommands, QT_TRANSLATE_NOOP("QObject", "正在解析系统参数......."), "ATNW\\+[0-3]\\+OK!\\r\\n", "params"},
    {1, QT_TRANSLATE_NOOP("QObject", "正在获取系统时间......."), "ATTW\\+43\\+OK!\\r\\n", "clock"},
    {1, QT_TRANSLATE_NOOP("QObject", "正在恢复系统出厂设置......."), "ATRW\\+51\\+OK!\\r\\n", "reset"},
    {0, nullptr, nullptr, "pairing"},
};
static_assert(std::size(Kinds) == std::size(BatchKinds::All), "one row per kind, in the enum's order");

const auto &row(BatchKind kind)
{
    return Kinds[int(kind)];
}
} // namespace

int BatchKinds::examined(BatchKind kind)
{
    return row(kind).examined;
}

bool BatchKinds::acknowledges(BatchKind kind, const QString &text)
{
    // Anchored at both ends: the whole delivered text must be the acknowledgement, as with QRegExp::exactMatch.
    if (!row(kind).pattern)
        return false;
    const QRegularExpression ack(QRegularExpression::anchoredPattern(QString::fromLatin1(row(kind).pattern)));
    return ack.match(text).hasMatch();
}

QString BatchKinds::headerLine(BatchKind kind)
{
    if (!row(kind).header)
        return QString();
    return QCoreApplication::translate("QObject", row(kind).header) + QStringLiteral("\r\n");
}

QString BatchKinds::name(BatchKind kind)
{
    return QString::fromLatin1(row(kind).name);
}

bool BatchKinds::fromSettings(BatchKind kind)
{
    return kind == BatchKind::Ticket || kind == BatchKind::Names || kind == BatchKind::Params;
}
