// Line records (build, read, check, slot, write command), the preview's rendering and the settings
// file's content.
#include "ticket/Language.h"
#include "ticket/InputFile.h"
#include "ticket/LineRecord.h"
#include "ticket/PreviewRenderer.h"
#include "ticket/RecordFile.h"
#include "ticket/RecordReader.h"
#include "ticket/SettingsCodec.h"
#include "ticket/SettingsFile.h"
#include "testsupport/TestSupport.h"
#include "ticket/TimeSample.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QSettings>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif
#include <unistd.h>
#endif

using Kind = LineRecord::Kind;
using Align = LineRecord::Align;
Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(Align)
Q_DECLARE_METATYPE(LineRecord::Controls)

namespace {
const QString Lone(QChar(0xD83D));

// A record line as a program writes it.
QByteArray recordLine(const char *unit, const char *result)
{
    return QByteArray("{\"action\":\"ticket\",\"time\":\"2026-03-02T09:05:00.000Z\",\"unit\":\"") + unit
        + "\",\"result\":\"" + result + "\"}\n";
}

QString para(const QString &align, int size, const QString &text)
{
    return QStringLiteral("<p align=\"%1\" style=margin:0px;><font size=\"%2\"color=\"black\">%3</font></p>")
        .arg(align)
        .arg(size)
        .arg(text);
}
} // namespace

class tst_Ticket : public QObject
{
    Q_OBJECT

private slots:
    void check_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("code");
        QTest::newRow("ok") << "ATPW+0+N+L+Hello+SIZE:S+OK" << "";
        QTest::newRow("ok empty content") << "ATPW+0+N+L++SIZE:S+OK" << "";
        QTest::newRow("six fields") << "ATPW+0+N+L+SIZE:S+OK" << "000";
        QTest::newRow("eight fields") << "ATPW+0+N+L+a+b+SIZE:S+OK" << "000";
        QTest::newRow("wrong command word") << "ATPX+0+N+L+a+SIZE:S+OK" << "001";
        QTest::newRow("two-digit line") << "ATPW+10+N+L+a+SIZE:S+OK" << "002";
        QTest::newRow("letter as line") << "ATPW+A+N+L+a+SIZE:S+OK" << "002";
        QTest::newRow("empty line number") << "ATPW++N+L+a+SIZE:S+OK" << "002";
        QTest::newRow("kind lower n") << "ATPW+0+n+L+a+SIZE:S+OK" << "003";
        QTest::newRow("kind E") << "ATPW+0+E+L+a+SIZE:S+OK" << "";
        QTest::newRow("kind S") << "ATPW+0+S+L+a+SIZE:S+OK" << "";
        QTest::newRow("kind R, right") << "ATPW+0+R+R+a+SIZE:S+OK" << "";
        QTest::newRow("kind T, centre") << "ATPW+0+T+M+a+SIZE:S+OK" << "";
        QTest::newRow("alignment C") << "ATPW+0+N+C+a+SIZE:S+OK" << "004";
        QTest::newRow("size lower case") << "ATPW+0+N+L+a+SIZE:s+OK" << "005";
        QTest::newRow("big 21 bytes") << "ATPW+0+N+L+" + QString(21, 'a') + "+SIZE:B+OK" << "";
        QTest::newRow("big 22 bytes") << "ATPW+0+N+L+" + QString(16, 'a') + "\r\n\r\n\r\n+SIZE:B+OK" << "";
        QTest::newRow("big 11 Chinese") << "ATPW+0+N+L+" + QString(11, QChar(0x4E00)) + "+SIZE:B+OK" << "";
        QTest::newRow("big 23 bytes") << "ATPW+0+N+L+" + QString(23, 'a') + "+SIZE:B+OK" << "006";
        QTest::newRow("big 22 + lone surrogate") << "ATPW+0+N+L+" + QString(22, 'a') + Lone + "+SIZE:B+OK" << "006";
        // Written as ten CR LF and a space (21 bytes) and as eleven and a space (23).
        QTest::newRow("time, 10 lone CRs sent as 21 bytes") << "ATPW+0+T+L+" + QString(10, '\r') + "+SIZE:B+OK" << "";
        QTest::newRow("time, 11 lone CRs sent as 23 bytes") << "ATPW+0+T+L+" + QString(11, '\r') + "+SIZE:B+OK" << "006";
        QTest::newRow("small 133 bytes") << "ATPW+0+N+L+" + QString(133, 'a') + "+SIZE:S+OK" << "";
        QTest::newRow("small 134 bytes") << "ATPW+0+N+L+" + QString(134, 'a') + "+SIZE:S+OK" << "";
        QTest::newRow("small 135 bytes") << "ATPW+0+N+L+" + QString(135, 'a') + "+SIZE:S+OK" << "007";
        QTest::newRow("end word lower") << "ATPW+0+N+L+a+SIZE:S+ok" << "008";
        QTest::newRow("first failure wins") << "ATPX+AA+X+L+a+SIZE:S+OK" << "001";
    }
    void check()
    {
        QFETCH(QString, record);
        QFETCH(QString, code);
        QCOMPARE(LineRecord::check(record), code);
    }

    void buildAndRead_data()
    {
        QTest::addColumn<LineRecord::Controls>("controls");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("record");
        QTest::newRow("plain left") << LineRecord::Controls{0, Kind::Plain, Align::Left, "Hello", 0, false} << 0
                                    << "ATPW+0+N+L+Hello+SIZE:S+OK";
        QTest::newRow("type centre big") << LineRecord::Controls{1, Kind::TicketType, Align::Center, "类型:0001", 0, true} << 0
                                         << "ATPW+1+S+M+类型:0001+SIZE:B+OK";
        QTest::newRow("time Chinese is T") << LineRecord::Controls{2, Kind::Time, Align::Right, "x", 0, false} << 0
                                           << "ATPW+2+T+R+x+SIZE:S+OK";
        QTest::newRow("time English is E") << LineRecord::Controls{2, Kind::Time, Align::Left, "x", 0, false} << 1
                                           << "ATPW+2+E+L+x+SIZE:S+OK";
        QTest::newRow("time Polish is E") << LineRecord::Controls{2, Kind::Time, Align::Left, "x", 0, false} << 2
                                          << "ATPW+2+E+L+x+SIZE:S+OK";
        QTest::newRow("people remaining") << LineRecord::Controls{3, Kind::PeopleRemaining, Align::Left, "等待:人", 0, false} << 0
                                          << "ATPW+3+R+L+等待:人+SIZE:S+OK";
        QTest::newRow("three blank lines") << LineRecord::Controls{9, Kind::Plain, Align::Left, "End", 3, false} << 0
                                           << "ATPW+9+N+L+End\r\n\r\n\r\n+SIZE:S+OK";
    }
    void buildAndRead()
    {
        QFETCH(LineRecord::Controls, controls);
        QFETCH(int, language);
        QFETCH(QString, record);
        QCOMPARE(LineRecord::build(controls, language), record);
        const LineRecord::Controls back = LineRecord::read(record);
        const bool textKept = controls.kind == Kind::Plain || controls.kind == Kind::PeopleRemaining;
        QCOMPARE(std::make_tuple(back.line, back.kind, back.align, back.blankLines, back.bigFont, back.text),
                 std::make_tuple(controls.line, controls.kind, controls.align, controls.blankLines, controls.bigFont,
                                 textKept ? controls.text : QString()));
    }

    void slotOf_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<int>("slot");
        QTest::newRow("0") << "ATPW+0+N+L+a+SIZE:S+OK" << 0;
        QTest::newRow("9") << "ATPW+9+N+L+a+SIZE:S+OK" << 9;
        QTest::newRow("10 is no slot") << "ATPW+10+N+L+a+SIZE:S+OK" << -1;
        QTest::newRow("third digit ignored") << "ATPW+059+N" << 5;
        QTest::newRow("no digits") << "ATPW+N+L+a+SIZE:S+OK" << -1;
        QTest::newRow("leading digits skipped") << "12ATPW+3+N" << 3;
        QTest::newRow("a and z among the letters") << "Aaz+3+N" << 3;
        QTest::newRow("letters after the plus sign") << "ATPW+AZaz3+N" << 3;
        QTest::newRow("lone surrogate in the text") << "ATPW+4+N+L+x" + Lone + "+SIZE:S+OK" << 4;
        QTest::newRow("clear command") << "Clear_ALL_Contents" << -1;
    }
    void slotOf()
    {
        QFETCH(QString, record);
        QFETCH(int, slot);
        QCOMPARE(LineRecord::slotOf(record), slot);
    }

    void writeCommand_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("command");
        QTest::newRow("undefined") << "" << 4 << "ATPW+4+N+L+ +SIZE:S+OK";
        QTest::newRow("plain kept") << "ATPW+2+N+M+Hi+SIZE:B+OK" << 2 << "ATPW+2+N+M+Hi+SIZE:B+OK";
        QTest::newRow("plain empty is blank") << "ATPW+2+N+M++SIZE:B+OK" << 2 << "ATPW+2+N+L+ +SIZE:S+OK";
        QTest::newRow("plain without GBK bytes is blank") << "ATPW+2+N+M+\u200b+SIZE:B+OK" << 2 << "ATPW+2+N+L+ +SIZE:S+OK";
        QTest::newRow("plain only blank line kept") << "ATPW+2+N+L+\r\n+SIZE:S+OK" << 2 << "ATPW+2+N+L+\r\n+SIZE:S+OK";
        QTest::newRow("people remaining empty is blank") << "ATPW+6+R+L++SIZE:S+OK" << 6 << "ATPW+6+N+L+ +SIZE:S+OK";
        QTest::newRow("time with two blank lines") << "ATPW+3+T+R+2024-03-02 09:05:00\r\n\r\n+SIZE:S+OK" << 3
                                                   << "ATPW+3+T+R+\r\n\r\n +SIZE:S+OK";
        QTest::newRow("English time") << "ATPW+3+E+L+02-Mar-2024 09:05:00+SIZE:S+OK" << 3 << "ATPW+3+E+L+ +SIZE:S+OK";
        QTest::newRow("ticket type") << "ATPW+1+S+M+类型:0001+SIZE:B+OK" << 1 << "ATPW+1+S+M+ +SIZE:B+OK";
        QTest::newRow("ticket type empty content") << "ATPW+1+S+M++SIZE:B+OK" << 1 << "ATPW+1+S+M++SIZE:B+OK";
        QTest::newRow("number differs from slot") << "ATPW+7+N+L+x+SIZE:S+OK" << 2 << "ATPW+7+N+L+x+SIZE:S+OK";
    }
    void writeCommand()
    {
        QFETCH(QString, record);
        QFETCH(int, slot);
        QFETCH(QString, command);
        QCOMPARE(LineRecord::writeCommand(record, slot), command);
        QString page[10];
        page[slot] = record;
        QCOMPARE(LineRecord::writeCommands(page).at(slot), command);
        QCOMPARE(LineRecord::writeCommands(page).at(9), QStringLiteral("ATPW+9+N+L+ +SIZE:S+OK"));
    }

    void timeSample_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("samples"); // the first of every month of 2024 at 09:05:07
        QTest::newRow("Chinese") << 0 << "2024-01-01 09:05:07|2024-12-01 09:05:07";
        QTest::newRow("English") << 1 << "01-Jan-2024 09:05:07|01-Feb-2024 09:05:07|01-Mar-2024 09:05:07|01-Apr-2024 09:05:07|"
                                         "01-May-2024 09:05:07|01-Jun-2024 09:05:07|01-Jul-2024 09:05:07|01-Aug-2024 09:05:07|"
                                         "01-Sep-2024 09:05:07|01-Oct-2024 09:05:07|01-Nov-2024 09:05:07|01-Dec-2024 09:05:07";
        QTest::newRow("Polish") << 2 << "09:05:07 01-Sty-2024|09:05:07 01-Lut-2024|09:05:07 01-Mar-2024|09:05:07 01-Kwi-2024|"
                                        "09:05:07 01-Maj-2024|09:05:07 01-Cze-2024|09:05:07 01-Lip-2024|09:05:07 01-Sie-2024|"
                                        "09:05:07 01-Wrz-2024|09:05:07 01-Paz-2024|09:05:07 01-Lis-2024|09:05:07 01-Gru-2024";
    }
    void timeSample()
    {
        QFETCH(int, language);
        QFETCH(QString, samples);
        const QStringList expected = samples.split('|');
        for (int i = 0; i < expected.size(); ++i) {
            const int month = expected.size() == 12 ? i + 1 : 1 + 11 * i;
            QCOMPARE(TimeSample::format(QDateTime(QDate(2024, month, 1), QTime(9, 5, 7)), language), expected.at(i));
        }
    }

    void paragraph_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("html");
        QTest::newRow("40 ASCII: rows of 32 and 8") << "ATPW+0+N+L+" + QString(40, 'a') + "+SIZE:S+OK"
                                                    << para("left", 4, QString(32, 'a') + "<br>" + QString(8, 'a'));
        QTest::newRow("32 ASCII: one row") << "ATPW+0+N+L+" + QString(32, 'a') + "+SIZE:S+OK" << para("left", 4, QString(32, 'a'));
        QTest::newRow("17 Chinese: break after 16th") << "ATPW+0+N+M+" + QString(17, QChar(0x4E00)) + "+SIZE:S+OK"
                                                      << para("center", 4, QString(16, QChar(0x4E00)) + "<br>" + QChar(0x4E00));
        QTest::newRow("character not split") << "ATPW+0+N+L+" + QString(31, 'a') + QString(2, QChar(0x4E00)) + "+SIZE:S+OK"
                                             << para("left", 4, QString(31, 'a') + "<br>" + QString(2, QChar(0x4E00)));
        QTest::newRow("30 ASCII + two blank lines: extra break")
            << "ATPW+0+N+L+" + QString(30, 'a') + "\r\n\r\n+SIZE:S+OK" << para("left", 4, QString(30, 'a') + "<br><br><br>");
        const QString b32(32, 'b');
        QTest::newRow("128 ASCII: four rows") << "ATPW+0+N+R+" + QString(128, 'b') + "+SIZE:S+OK"
                                              << para("right", 4, b32 + "<br>" + b32 + "<br>" + b32 + "<br>" + b32);
        QTest::newRow("97 ASCII: break at 96") << "ATPW+0+N+L+" + QString(97, 'b') + "+SIZE:S+OK"
                                               << para("left", 4, b32 + "<br>" + b32 + "<br>" + b32 + "<br>b");
        QTest::newRow("big 16 left is centred") << "ATPW+0+N+L+" + QString(16, 'x') + "+SIZE:B+OK" << para("center", 7, QString(16, 'x'));
        QTest::newRow("big 15 stays left") << "ATPW+0+N+L+" + QString(15, 'x') + "+SIZE:B+OK" << para("left", 7, QString(15, 'x'));
        QTest::newRow("big blank lines do not count") << "ATPW+0+N+R+" + QString(15, 'x') + "\r\n\r\n+SIZE:B+OK"
                                                      << para("right", 7, QString(15, 'x') + "<br><br>");
        QTest::newRow("99 at the colon") << "ATPW+0+R+L+还有:人+SIZE:S+OK" << para("left", 4, "还有99人");
        QTest::newRow("two colons: second becomes 99") << "ATPW+0+R+L+Wait::+SIZE:S+OK" << para("left", 4, "Wait:99");
        QTest::newRow("no colon unchanged") << "ATPW+0+R+L+Wait+SIZE:S+OK" << para("left", 4, "Wait");
        QTest::newRow("colon in plain text stays") << "ATPW+0+N+L+a:b+SIZE:S+OK" << para("left", 4, "a:b");
        QTest::newRow("markup shown as typed") << "ATPW+0+N+L+<b>A&B+SIZE:S+OK" << para("left", 4, "&lt;b&gt;A&amp;B");
        QTest::newRow("spaces: one, three, four") << "ATPW+0+N+L+a b   c    d+SIZE:S+OK"
                                                  << para("left", 4, "a b&nbsp; c&nbsp;&nbsp;d");
    }
    void paragraph()
    {
        QFETCH(QString, record);
        QFETCH(QString, html);
        QCOMPARE(PreviewRenderer::paragraph(record), html);
    }

    void renderPage()
    {
        QString page[10];
        QCOMPARE(PreviewRenderer::render(page).html, QString());
        page[3] = "ATPW+3+N+L+B+SIZE:S+OK";
        page[0] = "ATPW+0+N+L+A+SIZE:S+OK";
        const auto ok = PreviewRenderer::render(page);
        QVERIFY(ok.errorCode.isEmpty());
        QCOMPARE(ok.html, para("left", 4, "A") + para("left", 4, "B"));
        page[5] = "ATPW+5+N+L+x+SIZE:X+OK";
        const auto bad = PreviewRenderer::render(page);
        QCOMPARE(bad.errorCode, QStringLiteral("005"));
        QVERIFY(bad.html.isEmpty());
    }

    void settingsRoundTrip()
    {
        SettingsCodec::Settings s;
        s.lines[0] = "ATPW+0+N+M+欢迎光临+SIZE:B+OK";
        s.lines[1] = "ATPW+1+T+R+2024-03-02 09:05:00\r\n\r\n+SIZE:S+OK";
        s.lines[4] = "ATPW+4+N+L+Say \"hi\", then; = go  +SIZE:S+OK";
        s.lines[9] = "ATPW+9+N+L+ lead and trail +SIZE:S+OK";
        s.lines[6] = QStringLiteral("@ATPW\t\x7f\a") + QChar(0) + QStringLiteral("1f") + Lone + QStringLiteral("\\");
        s.typeNames[0] = "普通业务";
        s.typeNames[1] = "@@x";
        s.typeNames[4] = "a;b=c";
        s.networkIdIndex = 42;
        s.autoClearIndex = 24;
        s.syncRestartIndex = -1;
        const QByteArray content = SettingsCodec::encode(s);
        // Byte for byte what QSettings writes: earlier versions of the program read it as their own.
        QTemporaryDir dir;
        {
            QSettings ini(dir.filePath("ini"), QSettings::IniFormat);
            for (int i = 0; i < 10; ++i)
                ini.setValue(SettingsCodec::lineKey(i), s.lines[i]);
            for (int i = 0; i < 5; ++i)
                ini.setValue(SettingsCodec::typeKey(i), s.typeNames[i]);
            ini.setValue(SettingsCodec::parameterKey(0), s.networkIdIndex);
            ini.setValue(SettingsCodec::parameterKey(1), s.autoClearIndex);
            ini.setValue(SettingsCodec::parameterKey(2), s.syncRestartIndex);
        }
        QCOMPARE(QByteArray::fromBase64(content), TestSupport::contentOf(dir.filePath("ini")));
        QVERIFY(!content.contains('\n') && !content.contains('\r'));
        const QByteArray ini = QByteArray::fromBase64(content);
        QVERIFY(ini.startsWith("[General]\n"));
        QVERIFY(!ini.contains('\r')); // LF line ends
        for (const char *key : {"0%U884C=", "0%U7C7B=", "0%U53C2=42\n", "3%U884C=\n"})
            QVERIFY2(ini.contains(key), key);

        const SettingsCodec::Decoded d = SettingsCodec::decode(content);
        QCOMPARE(d.keysFound, SettingsCodec::KeyCount);
        QCOMPARE(d.settings.typeNames[0], s.typeNames[0]);
        QCOMPARE(d.settings.lines[6], s.lines[6]);
        QCOMPARE(SettingsCodec::encode(d.settings), content); // every value back as it was
        QByteArray broken = content;
        for (int i = 76; i < broken.size(); i += 77)
            broken.insert(i, '\n'); // line breaks are skipped like any character outside the alphabet
        QCOMPARE(SettingsCodec::decode(broken).settings.typeNames[4], QStringLiteral("a;b=c"));
    }

    void handWrittenFile()
    {
        const SettingsCodec::Decoded d = SettingsCodec::decode(TestSupport::contentOf(TQ_SOURCE_DIR "/tests/fixtures/hand_written.b64"));
        QCOMPARE(d.keysFound, 18);
        QCOMPARE(d.settings.lines[1], QStringLiteral("ATPW+1+S+M+类型:0001\r\n+SIZE:B+OK"));
        QVERIFY(d.settings.lines[5].isEmpty());
        QCOMPARE(d.settings.lines[9], QStringLiteral("ATPW+9+N+R+Bye+SIZE:S+OK"));
        QCOMPARE(d.settings.typeNames[0], QStringLiteral("普通"));
        QCOMPARE(d.settings.networkIdIndex, 42);
        QCOMPARE(d.settings.autoClearIndex, 8);
        QCOMPARE(d.settings.syncRestartIndex, 1);
    }

    // Every file of the fuzz corpus gives the values QSettings reads from it, except that a typed
    // value (one QSettings would turn into an object) refuses the file.
    void readsAsQSettingsDoes()
    {
        const QDir corpus(TQ_SOURCE_DIR "/fuzz/corpus/settings");
        QTemporaryDir dir;
        QStringList refused;
        for (const QString &name : corpus.entryList(QDir::Files)) {
            const QByteArray content = TestSupport::contentOf(corpus.filePath(name));
            QVERIFY(TestSupport::writeFile(dir.filePath(name), QByteArray::fromBase64(content)));
            QSettings ini(dir.filePath(name), QSettings::IniFormat);
            const SettingsCodec::Decoded d = SettingsCodec::decode(content);
            if (!d.typedKey.isEmpty()) {
                refused << name + ": " + d.typedKey + " " + d.typedForm;
                const QVariant v = ini.value(d.typedKey);
                const QVariantList parts = v.type() == QVariant::List ? v.toList() : QVariantList{v};
                QVERIFY(std::any_of(parts.cbegin(), parts.cend(), [](const QVariant &p) {
                    return p.isValid() && p.type() != QVariant::String && p.type() != QVariant::ByteArray;
                }));
                continue;
            }
            SettingsCodec::Settings q;
            int found = 0;
            const auto value = [&](const QString &key) { return found += ini.contains(key), ini.value(key); };
            for (int i = 0; i < 10; ++i)
                q.lines[i] = value(SettingsCodec::lineKey(i)).toString();
            for (int i = 0; i < 5; ++i)
                q.typeNames[i] = value(SettingsCodec::typeKey(i)).toString();
            q.networkIdIndex = value(SettingsCodec::parameterKey(0)).toInt();
            q.autoClearIndex = value(SettingsCodec::parameterKey(1)).toInt();
            q.syncRestartIndex = value(SettingsCodec::parameterKey(2)).toInt();
            QVERIFY2(SettingsCodec::encode(d.settings) == SettingsCodec::encode(q), qPrintable(name));
            QCOMPARE(d.keysFound, found);
            QCOMPARE(d.missing.size(), SettingsCodec::KeyCount - found);
        }
        QCOMPARE(refused, (QStringList{"point-in-a-list: 0类 @Point", "rect: 1参 @Rect", "typed-values: 0行 @Variant"}));
    }

#ifdef Q_OS_UNIX
    // A save through the system's safe calls and through the portable way (Windows) ends alike:
    // the new bytes, read-only with the old read bits; a failure leaves what was there.
    void replaceBothWays_data()
    {
        QTest::addColumn<bool>("portable");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("before"); // empty: no file
        QTest::addColumn<int>("mode");          // octal, of the file before
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("after");         // octal; 0: the save fails
        for (const bool portable : {false, true}) {
            const QByteArray way = portable ? " (portable)" : "";
            const QString ini("shop.ini");
            const QString longest = QString(251, 'n') + ".ini";
            QTest::newRow("new file" + way) << portable << ini << QByteArray() << 0 << QByteArray("new") << 0444;
            QTest::newRow("other bytes of the same size" + way) << portable << ini << QByteArray("AAAA") << 0644 << QByteArray("BBBB") << 0444;
            QTest::newRow("the same bytes" + way) << portable << ini << QByteArray("BBBB") << 0644 << QByteArray("BBBB") << 0444;
            QTest::newRow("shorter, over a read-only file" + way) << portable << ini << QByteArray("a longer text") << 0444 << QByteArray("short") << 0444;
            QTest::newRow("private file stays private" + way) << portable << ini << QByteArray("old") << 0600 << QByteArray("new") << 0400;
            QTest::newRow("its folder is missing" + way) << portable << "gone/" + ini << QByteArray() << 0 << QByteArray("new") << 0;
            QTest::newRow("a name at the length limit" + way) << portable << longest << QByteArray("a longer text") << 0644 << QByteArray("new") << 0444;
            QTest::newRow("a new name at the length limit" + way) << portable << longest << QByteArray() << 0 << QByteArray("new") << 0444;
            // Nothing can be made beside it either: the file is written in place (as nobody, where root runs this).
            QTest::newRow("a read-only folder" + way) << portable << "locked/" + ini << QByteArray("a longer text") << 0644 << QByteArray("new") << 0444;
        }
    }
    void replaceBothWays()
    {
        QFETCH(bool, portable);
        QFETCH(QString, name);
        QFETCH(QByteArray, before);
        QFETCH(int, mode);
        QFETCH(QByteArray, content);
        QFETCH(int, after);
        const auto perms = [](int octal) { return QFile::Permissions((octal & 0700) << 6 | (octal & 070) << 1 | (octal & 07)); };
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        const bool locked = name.startsWith("locked/");
        if (locked)
            QVERIFY(QDir(dir.path()).mkdir("locked"));
        if (!before.isEmpty())
            QVERIFY(TestSupport::writeFile(path, before, perms(mode)));
        const mode_t umaskWas = ::umask(022);
        QString error;
        bool saved = false;
        const auto save = [&] { return portable ? SettingsFile::replacePortably(path, content, &error) : SettingsFile::replace(path, content, &error); };
        if (locked) {
            QCOMPARE(::chmod(QFile::encodeName(QFileInfo(path).path()).constData(), 0555), 0);
            if (::geteuid() == 0) { // root writes any folder: the save is made by nobody, who owns the file
                QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
                QCOMPARE(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
                const pid_t child = ::fork();
                if (child == 0)
                    ::_exit(::setresgid(65534, 65534, 65534) == 0 && ::setresuid(65534, 65534, 65534) == 0 && save() ? 0 : 1);
                int status = -1;
                QCOMPARE(::waitpid(child, &status, 0), child);
                saved = WIFEXITED(status) && WEXITSTATUS(status) == 0;
                error = saved ? QString() : QStringLiteral("the save as nobody failed");
            } else {
                saved = save();
            }
        } else {
            saved = save();
        }
        ::umask(umaskWas);
        if (locked)
            QCOMPARE(::chmod(QFile::encodeName(QFileInfo(path).path()).constData(), 0755), 0);
        QCOMPARE(saved, after != 0);
        if (!saved) {
            QVERIFY(!error.isEmpty());
            QVERIFY(!QFileInfo::exists(path));
            return;
        }
        QCOMPARE(TestSupport::contentOf(path), content);
        QCOMPARE(QFileInfo(path).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), perms(after));
        QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(path).fileName()}); // nothing left beside it
    }
#endif

    void notASettingsFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("keys");
        QTest::newRow("text") << QByteArray("hello world, this is not base64 at all!") << 0;
        QTest::newRow("one key") << QByteArray("[General]\n2%U53C2=1\n").toBase64() << 1;
    }
    void notASettingsFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, keys);
        const SettingsCodec::Decoded d = SettingsCodec::decode(content);
        QCOMPARE(d.keysFound, keys);
        QVERIFY(d.settings.lines[0].isEmpty());
        QCOMPARE(d.settings.networkIdIndex, 0);
        QCOMPARE(d.settings.syncRestartIndex, keys);
    }

    // Looked at before reading: nothing blocks on a FIFO or reads a device without end.
    void inputFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<qint64>("maxSize");
        QTest::addColumn<int>("problem");
        using P = InputFile::Problem;
        QTest::newRow("at the limit") << "file:100" << qint64(100) << int(P::None);
        QTest::newRow("one over the limit") << "file:101" << qint64(100) << int(P::TooLarge);
        QTest::newRow("one under the limit") << "file:99" << qint64(100) << int(P::None);
        QTest::newRow("empty") << "file:0" << qint64(100) << int(P::Empty);
        QTest::newRow("missing") << "missing" << qint64(100) << int(P::Missing);
        QTest::newRow("dangling link") << "dangling" << qint64(100) << int(P::Missing);
        QTest::newRow("directory") << "dir" << qint64(100) << int(P::Directory);
#ifdef Q_OS_UNIX
        QTest::newRow("fifo") << "fifo" << qint64(100) << int(P::NotRegular);
        // Another process puts a FIFO and the file in its place in turn: whatever is opened is judged.
        QTest::newRow("fifo swapped in again and again") << "swapping" << qint64(100) << int(P::None);
        QTest::newRow("endless device") << "/dev/zero" << qint64(100) << int(P::NotRegular);
#endif
#ifdef Q_OS_LINUX // a file that says it holds nothing: what is read decides
        QTest::newRow("no size, over the limit") << "/proc/self/status" << qint64(100) << int(P::TooLarge);
#endif
        QTest::newRow("unreadable") << "unreadable" << qint64(100) << int(P::Unreadable);
    }
    void inputFile()
    {
        QFETCH(QString, kind);
        QFETCH(qint64, maxSize);
        QFETCH(int, problem);
        using P = InputFile::Problem;
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("input"));
        QByteArray written;
        if (kind.startsWith(QLatin1String("file:"))) {
            written = TestSupport::randomBytes(kind.mid(5).toInt(), 3);
            QVERIFY(TestSupport::writeFile(path, written));
        } else if (kind == QLatin1String("dangling")) {
            QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), path));
        } else if (kind == QLatin1String("dir")) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("input")));
        } else if (kind == QLatin1String("fifo")) {
            QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {path}), 0);
        } else if (kind == QLatin1String("unreadable")) {
            QVERIFY(TestSupport::writeFile(path, "x"));
            QFile::setPermissions(path, QFile::WriteOwner);
            if (QFile(path).open(QIODevice::ReadOnly))
                QSKIP("this user reads every file");
        } else if (kind.startsWith(QLatin1Char('/'))) {
            path = kind;
        }
#ifdef Q_OS_UNIX
        if (kind == QLatin1String("swapping")) {
            const QByteArray file = QFile::encodeName(dir.filePath("file")), fifo = QFile::encodeName(dir.filePath("fifo"));
            const QByteArray name = QFile::encodeName(path), next = name + ".next";
            written = "settings";
            QVERIFY(TestSupport::writeFile(dir.filePath("file"), written) && ::mkfifo(fifo.constData(), 0600) == 0);
            QVERIFY(::link(file.constData(), name.constData()) == 0);
            const pid_t swapper = ::fork();
#ifdef Q_OS_LINUX
            if (swapper == 0)
                ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlives a test that hangs
#endif
            for (int i = 0; swapper == 0; ++i) { // a hard link in, then renamed over the name
                ::unlink(next.constData());
                (void)!(::link((i % 2 ? file : fifo).constData(), next.constData()) == 0 && ::rename(next.constData(), name.constData()) == 0);
            }
            QElapsedTimer clock;
            int opened = 0, refused = 0;
            InputFile::Content c;
            c.problem = P::NotRegular;
            for (clock.start(); clock.elapsed() < 1500 && (c.problem == P::NotRegular || c.data == written);) {
                c = InputFile::read(path, maxSize);
                opened += c.problem == P::None;
                refused += c.problem == P::NotRegular;
            }
            ::kill(swapper, SIGKILL);
            ::waitpid(swapper, nullptr, 0);
            QVERIFY(c.problem == P::NotRegular || c.data == written);
            QVERIFY(opened > 0 && refused > 0);
            return;
        }
#endif
        const InputFile::Content content = InputFile::read(path, maxSize);
        QCOMPARE(int(content.problem), problem);
        QCOMPARE(content.data, problem == int(InputFile::Problem::None) ? written : QByteArray());
    }

#ifdef Q_OS_UNIX
    // A full disk, as a child process limited to 8 bytes a file sees it: the reason is given and
    // nothing is left behind.
    void iniValueOnAFullDisk()
    {
        QTemporaryDir dir;
        const pid_t child = ::fork();
        if (child == 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit tiny{8, 8};
            QString error;
            const bool written = ::setrlimit(RLIMIT_FSIZE, &tiny) != 0
                || SettingsFile::writeIniValue(dir.filePath(QStringLiteral("Language.ini")), QStringLiteral("Language"),
                                               QStringLiteral("English"), &error);
            ::_exit(written ? 2 : error == QLatin1String("write failed") ? 0 : 1);
        }
        int status = -1;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QCOMPARE(WEXITSTATUS(status), 0);
        QVERIFY(QDir(dir.path()).isEmpty());
    }
#endif

    // The record as another program (or a crash) may leave it, then appended to and read back:
    // whole lines only, a cut one skipped and said, the next append on a line of its own.
    void recordFile_data()
    {
        QTest::addColumn<QByteArray>("before"); // the file's content before this program appends
        QTest::addColumn<int>("appends");
        QTest::addColumn<int>("records");       // read back
        QTest::addColumn<QStringList>("warnings");
        const QByteArray whole = recordLine("/dev/ttyUSB0", "ok");
        QTest::newRow("new file") << QByteArray() << 2 << 2 << QStringList{};
        QTest::newRow("cut last line, then an append") << whole + whole.left(40) << 1 << 2 << QStringList{"line 2 is not a record"};
        QTest::newRow("cut last line alone") << whole + whole.left(40) << 0 << 1
                                             << QStringList{"line 2 (the last) is cut short, as a program stopped while writing it leaves it"};
        QTest::newRow("garbage and blank lines") << "\n" + whole + "not json\n\n{\"unit\":\"x\"}\n" + whole << 0 << 2
                                                 << QStringList{"line 3 is not a record", "line 5 is not a record"};
        QTest::newRow("a line past 64 KiB") << QByteArray(70000, 'x') + "\n" + whole << 1 << 2
                                            << QStringList{"line 1 is longer than 65536 bytes"};
        QByteArray many;
        QStringList named;
        for (int i = 1; i <= 12; ++i) {
            many += "damaged\n";
            if (i <= RecordReader::NamedLines)
                named << QStringLiteral("line %1 is not a record").arg(i);
        }
        QTest::newRow("a dozen damaged lines") << many << 0 << 0 << named + QStringList{"2 more lines skipped"};
    }
    void recordFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, appends);
        QFETCH(int, records);
        QFETCH(QStringList, warnings);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("state/tqmanage/record.jsonl")); // its folder made when needed
        if (!before.isEmpty()) {
            QDir().mkpath(QFileInfo(path).path());
            QVERIFY(TestSupport::writeFile(path, before));
        }
        UnitRecord sent;
        sent.unit = QStringLiteral("rfc2217://shop, \"north\":7001");
        sent.firmware = QStringLiteral("V2.1\r\n\t\"引导\"");
        sent.action = QStringLiteral("names");
        sent.settingsFile = QStringLiteral("/home/a b/店,1.ini");
        sent.acknowledged = 3;
        sent.commands = 5;
        sent.result = QStringLiteral("interrupted");
        sent.reason = QStringLiteral("interrupted after names 3 of 5");
        {
            RecordFile record(path, QStringLiteral("tst_ticket"));
            for (int i = 0; i < appends; ++i)
                record.append(sent);
            record.flush();
            QCOMPARE(record.problem(), QString());
        }
        RecordReader reader(path);
        QString error;
        QVERIFY2(reader.open(&error), qPrintable(error));
        QList<UnitRecord> read;
        while (const std::optional<UnitRecord> r = reader.next())
            read << *r;
        QCOMPARE(read.size(), records);
        QStringList said = reader.warnings();
        said.replaceInStrings(path + QStringLiteral(": "), QString()).replaceInStrings(QStringLiteral(": skipped"), QString());
        QCOMPARE(said, warnings);
        for (int i = read.size() - appends; appends > 0 && i < read.size(); ++i) {
            const UnitRecord &r = read.at(i);
            QCOMPARE(r.fields().mid(5), sent.fields().mid(5)); // all but the stamp, as given
            QCOMPARE(r.program, QStringLiteral("tst_ticket"));
            QCOMPARE(r.user, RecordFile::userName());
            QVERIFY(qAbs(r.time.secsTo(QDateTime::currentDateTimeUtc())) < 60);
        }
    }

#ifdef Q_OS_UNIX
    // A record that cannot be written is said once; a write cut by a file-size limit (as by a full
    // disk) leaves a cut line, which the next append in another process steps over.
    void recordOnAFullDisk()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("record.jsonl"));
        const pid_t child = ::fork();
        if (child == 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{300, 300};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            int said = 0;
            {
                RecordFile record(path, QStringLiteral("child"));
                QObject::connect(&record, &RecordFile::failed, [&said] { ++said; });
                for (int i = 0; i < 3; ++i)
                    record.append(*UnitRecord::fromLine(recordLine("/dev/ttyUSB1", "ok")));
                record.flush();
                QCoreApplication::processEvents(); // the one report reaches this thread
                ::_exit(said == 1 && record.problem().endsWith(QLatin1String(": File too large")) ? 0 : 1);
            }
        }
        int status = -1;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QCOMPARE(WEXITSTATUS(status), 0);
        QVERIFY(!TestSupport::contentOf(path).endsWith('\n'));
        RecordFile again(path, QStringLiteral("parent"));
        again.append(*UnitRecord::fromLine(recordLine("/dev/ttyUSB2", "failed")));
        again.flush();
        QList<QByteArray> lines = TestSupport::contentOf(path).split('\n');
        QCOMPARE(lines.takeLast(), QByteArray()); // the file ends with a whole line
        QCOMPARE(UnitRecord::fromLine(lines.takeLast())->unit, QStringLiteral("/dev/ttyUSB2"));
        QVERIFY(!UnitRecord::fromLine(lines.takeLast())); // the cut one, now ended
        for (const QByteArray &line : qAsConst(lines))
            QVERIFY(UnitRecord::fromLine(line));
        // A folder that cannot exist (its parent is a file): said once, for any number of records.
        RecordFile nowhere(path + QStringLiteral("/record.jsonl"), QStringLiteral("parent"));
        for (int i = 0; i < 3; ++i)
            nowhere.append(*UnitRecord::fromLine(recordLine("/dev/ttyUSB2", "ok")));
        nowhere.flush();
        QVERIFY(nowhere.problem().endsWith(QLatin1String("Not a directory")));
        QSignalSpy said(&nowhere, &RecordFile::failed);
        QVERIFY(said.wait(5000));
        QVERIFY(!said.wait(200));
    }
#endif

    void settingsErrors_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("none") << "" << QStringList{};
        QTest::newRow("faulty line and parameters") << "line,id,clear,restart" << QStringList{"003", "015", "016", "017"};
        QTest::newRow("name with plus ends the check") << "line,name,id" << QStringList{"003", "020"};
    }
    void settingsErrors()
    {
        QFETCH(QString, field);
        QFETCH(QStringList, codes);
        SettingsCodec::Settings s;
        s.lines[2] = field.contains("line") ? "ATPW+2+X+L+a+SIZE:S+OK" : "ATPW+2+N+L+a+SIZE:S+OK";
        s.lines[6] = "ATPW+6+N+L+a+SIZE:S+ok"; // only the first faulty record counts
        if (!field.contains("line"))
            s.lines[6].clear();
        s.typeNames[3] = field.contains("name") ? "A+B" : "AB";
        s.networkIdIndex = field.contains("id") ? 100 : 99;
        s.autoClearIndex = field.contains("clear") ? -1 : 24;
        s.syncRestartIndex = field.contains("restart") ? 2 : 1;
        QCOMPARE(SettingsCodec::errors(s), codes);
    }

    void loneSurrogateFromAFile()
    {
        // A settings file may say \xd83d: the record keeps its slot and its bytes are counted.
        const QByteArray ini = "[General]\n0%U7C7B=abcdefgh\\xd83d\n4%U884C=ATPW+4+N+L+x\\xd83d+SIZE:S+OK\n";
        const SettingsCodec::Settings s = SettingsCodec::decode(ini.toBase64()).settings;
        QCOMPARE(s.typeNames[0], "abcdefgh" + Lone);
        QCOMPARE(LineRecord::slotOf(s.lines[4]), 4);
        QCOMPARE(LineRecord::check(s.lines[4]), QString());
        QCOMPARE(LineRecord::writeCommand(s.lines[4], 4), s.lines[4]);
    }
};

QTEST_GUILESS_MAIN(tst_Ticket)
#include "tst_ticket.moc"
