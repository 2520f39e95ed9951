#include "FileRefusal.h"

namespace {
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
} // namespace

QString FileRefusal::codeMeaning(const QString &code)
{
    for (const auto &c : Codes)
        if (code == QLatin1String(c.code))
            return QString::fromLatin1(c.meaning);
    return QStringLiteral("unknown error");
}

QString FileRefusal::formatErrors(const QStringList &codes)
{
    QStringList parts;
    for (const QString &code : codes)
        parts << QStringLiteral("%1 (%2)").arg(code, codeMeaning(code));
    return QStringLiteral("not sent: settings file error ") + parts.join(QStringLiteral(", "));
}

QString FileRefusal::problem(const QString &path, InputFile::Problem problem, qint64 size, qint64 maxSize)
{
    using P = InputFile::Problem;
    QString why;
    switch (problem) {
    case P::None:
        return QString();
    case P::Missing:
        why = QStringLiteral("does not exist");
        break;
    case P::Directory:
        why = QStringLiteral("is a directory");
        break;
    case P::NotRegular:
        why = QStringLiteral("is not a regular file (a device, FIFO or socket)");
        break;
    case P::Unreadable:
        why = QStringLiteral("cannot be read");
        break;
    case P::Empty:
        why = QStringLiteral("is empty");
        break;
    case P::TooLarge:
        why = QStringLiteral("has %1 bytes, more than %2").arg(size).arg(maxSize);
        break;
    }
    return QStringLiteral("not sent: %1 %2").arg(path, why);
}
