#include "LoadProblem.h"

#include <QCoreApplication>

namespace {
using LoadProblem::Refusal;

using P = InputFile::Problem;

const struct {
    Refusal refusal;
    P problem; // the file's problem it stands for; None: a settings file's own refusal
    const char *window; // translated in the "QObject" context
    const char *cli;
} Reasons[] = {
    {Refusal::Missing, P::Missing, QT_TRANSLATE_NOOP("QObject", "没有找到此文件"), "does not exist"},
    {Refusal::Directory, P::Directory, QT_TRANSLATE_NOOP("QObject", "这是一个文件夹, 不是文件"), "is a directory"},
    {Refusal::NotRegular, P::NotRegular, QT_TRANSLATE_NOOP("QObject", "这不是普通文件 (设备或管道), 不能读取"),
     "is not a regular file (a device, FIFO or socket)"},
    {Refusal::Unreadable, P::Unreadable, QT_TRANSLATE_NOOP("QObject", "文件无法读取 (没有权限或读取出错)"), "cannot be read"},
    {Refusal::Empty, P::Empty, QT_TRANSLATE_NOOP("QObject", "文件是空的"), "is empty"},
    {Refusal::TooLarge, P::TooLarge, QT_TRANSLATE_NOOP("QObject", "文件太大: %1 字节, 最多 %2 字节"), "has %1 bytes, more than %2"},
    {Refusal::TypedValue, P::None, QT_TRANSLATE_NOOP("QObject", "键 %1 的值是 %2(...) 形式的数据, 配置文件只存文字和数字"),
     "holds a typed value (%2) under %1, not text or a number"},
    {Refusal::NotSettings, P::None, QT_TRANSLATE_NOOP("QObject", "这不是配置文件"), "is not a settings file"},
};

const struct {
    const char *code;
    const char *meaning;
} Codes[] = {
    {"000", "a ticket line is not seven \"+\"-separated fields"},
    {"001", "a ticket line does not begin with ATPW"},
    {"002", "a ticket line's number is not one digit"},
    {"003", "a ticket line's kind is none of E, T, N, S, R"},
    {"004", "a ticket line's alignment is none of L, M, R"},
    {"005", "a ticket line's font is neither SIZE:B nor SIZE:S"},
    {"006", "a big-font ticket line is longer than 22 bytes"},
    {"007", "a small-font ticket line is longer than 134 bytes"},
    {"008", "a ticket line does not end with OK"},
    {"015", "the network ID is not 0 to 99"},
    {"016", "the automatic clearing setting is not 0 to 24"},
    {"017", "the synchronised restart setting is not 0 or 1"},
    {"020", "a type name holds a \"+\""},
};

// The sentence with its figures or its key filled in.
QString filled(QString sentence, const LoadProblem::Refused &r)
{
    if (r.refusal == Refusal::TooLarge)
        return sentence.arg(r.size).arg(r.maxSize);
    if (r.refusal == Refusal::TypedValue)
        return sentence.arg(r.typedKey, r.typedForm);
    return sentence;
}
} // namespace

LoadProblem::Refused LoadProblem::of(const InputFile::Content &content, qint64 maxSize)
{
    Refused r;
    r.size = content.size;
    r.maxSize = maxSize;
    for (const auto &row : Reasons)
        if (content.problem != P::None && row.problem == content.problem)
            r.refusal = row.refusal;
    return r;
}

LoadProblem::Refused LoadProblem::ofSettings(const InputFile::Content &content, const SettingsCodec::Decoded &decoded)
{
    Refused r = of(content, InputFile::SettingsMaxSize);
    if (r.refusal != Refusal::None)
        return r;
    r.typedKey = decoded.typedKey;
    r.typedForm = decoded.typedForm;
    if (!decoded.typedKey.isEmpty())
        r.refusal = Refusal::TypedValue;
    else if (decoded.keysFound == 0)
        r.refusal = Refusal::NotSettings;
    return r;
}

QString LoadProblem::reason(const Refused &refused)
{
    for (const auto &row : Reasons)
        if (row.refusal == refused.refusal)
            return filled(QCoreApplication::translate("QObject", row.window), refused);
    return QString();
}

QString LoadProblem::notSent(const QString &path, const Refused &refused)
{
    for (const auto &row : Reasons)
        if (row.refusal == refused.refusal)
            return QStringLiteral("not sent: %1 %2").arg(path, filled(QString::fromLatin1(row.cli), refused));
    return QString();
}

QString LoadProblem::codeMeaning(const QString &code)
{
    for (const auto &c : Codes)
        if (code == QLatin1String(c.code))
            return QString::fromLatin1(c.meaning);
    return QStringLiteral("unknown error");
}

QString LoadProblem::formatErrors(const QStringList &codes)
{
    QStringList parts;
    for (const QString &code : codes)
        parts << QStringLiteral("%1 (%2)").arg(code, codeMeaning(code));
    return QStringLiteral("not sent: settings file error ") + parts.join(QStringLiteral(", "));
}
