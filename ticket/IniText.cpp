#include "IniText.h"

#include <QStringList>
#include <QTextCodec>

#include <algorithm>

// Every rule here mirrors a detail of QSettings' INI reader or writer, odd ones included (a
// backslash and a line break continue a line, hex escapes take any number of digits):
// a file must give the same values as before, and a file written here must load in older versions.
namespace {
bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isSpecial(char c)
{
    return c == '\n' || c == '\r' || c == '"' || c == ';' || c == '=' || c == '\\';
}

// The value of an ASCII digit in base 8 or 16, or -1 (no locale involved).
int digitValue(uint c, int base)
{
    const int v = c >= '0' && c <= '9' ? int(c - '0') : c >= 'a' && c <= 'f' ? int(c - 'a' + 10) : c >= 'A' && c <= 'F' ? int(c - 'A' + 10) : -1;
    return v < base ? v : -1;
}

struct Line {
    int start = 0;
    int length = 0;
    int equals = -1; // the first '=' outside quotes
};

// The next logical line from pos: comment lines are skipped, a line break inside quotes or after
// a backslash continues the line. False at the end of the text.
bool nextLine(const QByteArray &data, int &pos, Line &line)
{
    const int n = data.size();
    bool inQuotes = false;
    line.equals = -1;
    line.start = pos;
    while (line.start < n && isSpace(data.at(line.start)))
        ++line.start;
    int i = line.start;
    while (i < n) {
        while (i < n && !isSpecial(data.at(i)))
            ++i;
        if (i == n)
            break;
        const char ch = data.at(i++);
        if (ch == '=') {
            if (!inQuotes && line.equals == -1)
                line.equals = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == line.start + 1) {
                ++line.start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            if (i < n) {
                const char escaped = data.at(i++);
                if (i < n && ((escaped == '\n' && data.at(i) == '\r') || (escaped == '\r' && data.at(i) == '\n')))
                    ++i;
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (i == line.start + 1) { // ';' opening a comment line
            while (i < n && data.at(i) != '\n' && data.at(i) != '\r')
                ++i;
            while (i < n && isSpace(data.at(i)))
                ++i;
            line.start = i;
        } else if (!inQuotes) { // ';' ending the line
            --i;
            break;
        }
    }
    pos = i;
    line.length = i - line.start;
    return line.length > 0;
}

// The lines of every General section (and of the text before the first section), joined.
QByteArray generalLines(const QByteArray &data, bool *utf8)
{
    int pos = 0;
    if (data.startsWith("\xef\xbb\xbf")) {
        *utf8 = true;
        pos = 3;
    }
    QByteArray general;
    bool inGeneral = true;
    int sectionStart = 0;
    const auto flush = [&](int end) {
        if (!inGeneral)
            return;
        if (!general.isEmpty())
            general += '\n';
        general += data.mid(sectionStart, end - sectionStart);
    };
    Line line;
    while (nextLine(data, pos, line)) {
        if (data.at(line.start) != '[')
            continue;
        flush(line.start);
        const int close = data.indexOf(']', line.start);
        const QByteArray name = close == -1 || close >= line.start + line.length ? data.mid(line.start + 1, line.length - 1)
                                                                                  : data.mid(line.start + 1, close - line.start - 1);
        inGeneral = qstricmp(name.trimmed().constData(), "general") == 0;
        sectionStart = pos;
    }
    flush(data.size());
    return general;
}

QString unescapedKey(const QByteArray &key, int from, int to)
{
    QString result;
    for (int i = from; i < to;) {
        const int ch = uchar(key.at(i));
        if (ch == '\\') {
            result += QLatin1Char('/');
            ++i;
            continue;
        }
        if (ch != '%' || i == to - 1) {
            result += QLatin1Char(char(ch));
            ++i;
            continue;
        }
        const bool wide = key.at(i + 1) == 'U';
        const int first = i + (wide ? 2 : 1);
        const int digits = wide ? 4 : 2;
        bool ok = false;
        const int code = first + digits > to ? 0 : key.mid(first, digits).toInt(&ok, 16);
        if (!ok) {
            result += QLatin1Char('%');
            ++i;
            continue;
        }
        result += QChar(code);
        i = first + digits;
    }
    return result;
}

void chopTrailingSpaces(QString &s, int limit)
{
    int n = s.size() - 1;
    while (n >= limit && (s.at(n) == QLatin1Char(' ') || s.at(n) == QLatin1Char('\t')))
        s.truncate(n--);
}

// A value's text: quotes, escapes (\n, \x4e2d, octal), and commas outside quotes making a list.
// True when it is a list.
bool unescapedValue(const QByteArray &str, int i, int to, QTextCodec *codec, QString &text, QStringList &list)
{
    static const char codes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'}, {'r', '\r'}, {'t', '\t'},
                                    {'v', '\v'}, {'"', '"'},  {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    bool isList = false;
    bool inQuotes = false;
    bool quoted = false;
    bool skipSpaces = true;
    int chopLimit = 0;
    const auto endOfText = [&] {
        if (isList)
            list.append(text);
        return isList;
    };
    const auto numberEscape = [&](uint value, int base) {
        // Any number of digits; the character keeps the low 16 bits.
        for (int digit; i < to && (digit = digitValue(uchar(str.at(i)), base)) >= 0; ++i)
            value = value * uint(base) + uint(digit);
        text += QChar(int(value & 0xffff));
        return i < to;
    };
    while (true) {
        if (skipSpaces) {
            while (i < to && (str.at(i) == ' ' || str.at(i) == '\t'))
                ++i;
            skipSpaces = false;
            chopLimit = text.size();
        }
        if (i >= to)
            break;
        const char c = str.at(i);
        if (c == '\\') {
            if (++i >= to)
                return endOfText();
            const char ch = str.at(i++);
            const auto code = std::find_if(std::begin(codes), std::end(codes), [ch](const char *e) { return e[0] == ch; });
            if (code != std::end(codes)) {
                text += QLatin1Char((*code)[1]);
                chopLimit = text.size();
                continue;
            }
            if (ch == 'x' && i >= to)
                return endOfText();
            const bool hex = ch == 'x' && digitValue(uchar(str.at(i)), 16) >= 0;
            if (hex || (ch >= '0' && ch <= '7')) {
                if (!numberEscape(hex ? 0 : uint(ch - '0'), hex ? 16 : 8))
                    return endOfText();
                chopLimit = text.size();
                continue;
            }
            if ((ch == '\n' || ch == '\r') && i < to && (str.at(i) == '\n' || str.at(i) == '\r') && str.at(i) != ch)
                ++i;
            chopLimit = text.size(); // any other escaped character is dropped
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            skipSpaces = !inQuotes;
        } else if (c == ',' && !inQuotes) {
            if (!quoted)
                chopTrailingSpaces(text, chopLimit);
            if (!isList) {
                isList = true;
                list.clear();
            }
            list.append(text);
            text.clear();
            quoted = false;
            ++i;
            skipSpaces = true;
        } else {
            int j = i + 1;
            while (j < to && str.at(j) != '\\' && str.at(j) != '"' && str.at(j) != ',')
                ++j;
            text += codec ? codec->toUnicode(str.constData() + i, j - i) : QString::fromLatin1(str.constData() + i, j - i);
            i = j;
        }
    }
    if (!quoted)
        chopTrailingSpaces(text, chopLimit);
    return endOfText();
}

// "@Variant" for a value QSettings would turn into an object; empty for text. Geometry counts as
// typed only with as many arguments as QSettings counts (one per space and per ')').
QString typedForm(const QString &s)
{
    if (!s.startsWith(QLatin1Char('@')) || !s.endsWith(QLatin1Char(')')))
        return QString();
    const struct {
        const char *form;
        int arguments; // -1: any
    } forms[] = {{"@Variant(", -1}, {"@DateTime(", -1}, {"@Rect(", 4}, {"@Size(", 2}, {"@Point(", 2}};
    for (const auto &f : forms) {
        const int open = int(qstrlen(f.form)) - 1;
        const QStringRef args = s.midRef(open + 1);
        if (s.startsWith(QLatin1String(f.form))
            && (f.arguments < 0 || args.count(QLatin1Char(' ')) + args.count(QLatin1Char(')')) == f.arguments))
            return QString::fromLatin1(f.form, open);
    }
    return QString();
}

QVariant textValue(const QString &s)
{
    if (s.startsWith(QLatin1Char('@')) && s.endsWith(QLatin1Char(')'))) {
        if (s.startsWith(QLatin1String("@ByteArray(")))
            return QVariant(s.midRef(11, s.size() - 12).toLatin1());
        if (s.startsWith(QLatin1String("@String(")))
            return QVariant(s.mid(8, s.size() - 9));
        if (s == QLatin1String("@Invalid()"))
            return QVariant();
    }
    return QVariant(s.startsWith(QLatin1String("@@")) ? s.mid(1) : s);
}

IniText::Value valueOf(const QString &text, const QStringList &list, bool isList)
{
    IniText::Value v;
    if (!isList) {
        v.typedForm = typedForm(text);
        if (v.typedForm.isEmpty())
            v.value = textValue(text);
        return v;
    }
    const bool anyTyped = std::any_of(list.cbegin(), list.cend(), [](const QString &s) { return s.startsWith(QLatin1Char('@')) && !s.startsWith(QLatin1String("@@")); });
    if (!anyTyped) {
        QStringList plain = list;
        for (QString &s : plain)
            if (s.startsWith(QLatin1String("@@")))
                s.remove(0, 1);
        v.value = plain;
        return v;
    }
    QVariantList values;
    for (const QString &s : list) {
        v.typedForm = typedForm(s);
        if (!v.typedForm.isEmpty())
            return v;
        values << textValue(s);
    }
    v.value = values;
    return v;
}

void escapedKey(const QString &key, QByteArray &out)
{
    static const char hex[] = "0123456789ABCDEF";
    for (const QChar c : key) {
        const uint ch = c.unicode();
        if (ch == '/') {
            out += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_' || ch == '-'
                   || ch == '.') {
            out += char(ch);
        } else if (ch <= 0xff) {
            out += '%';
            out += hex[ch / 16];
            out += hex[ch % 16];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hex[(ch >> shift) & 0xf];
        }
    }
}

void escapedValue(const QString &str, QByteArray &out)
{
    const int startPos = out.size();
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    for (const QChar c : str) {
        const uint ch = c.unicode();
        if (ch == ';' || ch == ',' || ch == '=')
            needsQuotes = true;
        if (escapeNextIfDigit && digitValue(ch, 16) >= 0) {
            out += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextIfDigit = false;
        const char named = ch == '\a' ? 'a' : ch == '\b' ? 'b' : ch == '\f' ? 'f' : ch == '\n' ? 'n' : ch == '\r' ? 'r'
                         : ch == '\t' ? 't' : ch == '\v' ? 'v' : ch == '"' ? '"' : ch == '\\' ? '\\' : ch == 0 ? '0' : 0;
        if (named) {
            out += '\\';
            out += named;
            escapeNextIfDigit = ch == 0;
        } else if (ch <= 0x1f || ch >= 0x7f) {
            out += "\\x" + QByteArray::number(ch, 16);
            escapeNextIfDigit = true;
        } else {
            out += char(ch);
        }
    }
    if (needsQuotes || (startPos < out.size() && (out.at(startPos) == ' ' || out.at(out.size() - 1) == ' '))) {
        out.insert(startPos, '"');
        out += '"';
    }
}
} // namespace

QHash<QString, IniText::Value> IniText::readGeneral(const QByteArray &text)
{
    bool utf8 = false;
    const QByteArray data = generalLines(text, &utf8);
    QTextCodec *codec = utf8 ? QTextCodec::codecForName("UTF-8") : nullptr;
    QHash<QString, Value> keys;
    int pos = 0;
    Line line;
    while (nextLine(data, pos, line)) {
        if (line.equals == -1)
            continue;
        int keyEnd = line.equals;
        while (keyEnd > line.start && (data.at(keyEnd - 1) == ' ' || data.at(keyEnd - 1) == '\t'))
            --keyEnd;
        QString value;
        QStringList list;
        const bool isList = unescapedValue(data, line.equals + 1, line.start + line.length, codec, value, list);
        keys.insert(unescapedKey(data, line.start, keyEnd), valueOf(value, list, isList));
    }
    return keys;
}

QByteArray IniText::writeGeneral(const QList<QPair<QString, QVariant>> &keys)
{
    QList<QPair<QString, QVariant>> sorted = keys;
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QByteArray out = "[General]\n";
    for (const auto &key : qAsConst(sorted)) {
        escapedKey(key.first, out);
        out += '=';
        QString value = key.second.toString();
        if (value.contains(QChar::Null))
            value = QLatin1String("@String(") + value + QLatin1Char(')');
        else if (value.startsWith(QLatin1Char('@')))
            value.prepend(QLatin1Char('@'));
        escapedValue(value, out);
        out += '\n';
    }
    return out;
}
