#include "app/Language.h"
#include "ticket/LineRecord.h"
#include "ticket/TimeSample.h"

#include <QDateTime>
#include <QtTest>

using Kind = LineRecord::Kind;
using Align = LineRecord::Align;
Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(Align)

class tst_LineRecord : public QObject
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
        QTest::newRow("empty-looking") << "ATPW" << "000";
        QTest::newRow("wrong command word") << "ATPX+0+N+L+a+SIZE:S+OK" << "001";
        QTest::newRow("two-digit line") << "ATPW+10+N+L+a+SIZE:S+OK" << "002";
        QTest::newRow("letter as line") << "ATPW+A+N+L+a+SIZE:S+OK" << "002";
        QTest::newRow("empty line number") << "ATPW++N+L+a+SIZE:S+OK" << "002";
        QTest::newRow("kind X") << "ATPW+0+X+L+a+SIZE:S+OK" << "003";
        QTest::newRow("kind lower n") << "ATPW+0+n+L+a+SIZE:S+OK" << "003";
        QTest::newRow("kind E accepted") << "ATPW+0+E+L+a+SIZE:S+OK" << "";
        QTest::newRow("kind T accepted") << "ATPW+0+T+L+a+SIZE:S+OK" << "";
        QTest::newRow("alignment C") << "ATPW+0+N+C+a+SIZE:S+OK" << "004";
        QTest::newRow("size lower case") << "ATPW+0+N+L+a+size:s+OK" << "005";
        QTest::newRow("size:s") << "ATPW+0+N+L+a+SIZE:s+OK" << "005";
        QTest::newRow("big 22 bytes") << "ATPW+0+N+L+" + QString(16, 'a') + "\r\n\r\n\r\n+SIZE:B+OK" << "";
        QTest::newRow("big 11 Chinese") << "ATPW+0+N+L+" + QString(11, QChar(0x4E00)) + "+SIZE:B+OK" << "";
        QTest::newRow("big 23 bytes") << "ATPW+0+N+L+" + QString(23, 'a') + "+SIZE:B+OK" << "006";
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

    void build_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<Align>("align");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("blanks");
        QTest::addColumn<bool>("big");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("record");
        QTest::newRow("plain left") << 0 << Kind::Plain << Align::Left << "Hello" << 0 << false << 0 << "ATPW+0+N+L+Hello+SIZE:S+OK";
        QTest::newRow("type centre big") << 1 << Kind::TicketType << Align::Center << "类型:0001" << 0 << true << 0
                                         << "ATPW+1+S+M+类型:0001+SIZE:B+OK";
        QTest::newRow("time Chinese is T") << 2 << Kind::Time << Align::Right << "x" << 0 << false << 0 << "ATPW+2+T+R+x+SIZE:S+OK";
        QTest::newRow("time English is E") << 2 << Kind::Time << Align::Left << "x" << 0 << false << 1 << "ATPW+2+E+L+x+SIZE:S+OK";
        QTest::newRow("time Polish is E") << 2 << Kind::Time << Align::Left << "x" << 0 << false << 2 << "ATPW+2+E+L+x+SIZE:S+OK";
        QTest::newRow("people remaining") << 3 << Kind::PeopleRemaining << Align::Left << "等待:人" << 0 << false << 0
                                          << "ATPW+3+R+L+等待:人+SIZE:S+OK";
        QTest::newRow("three blank lines") << 9 << Kind::Plain << Align::Left << "End" << 3 << false << 0
                                           << "ATPW+9+N+L+End\r\n\r\n\r\n+SIZE:S+OK";
        QTest::newRow("empty with blank line") << 4 << Kind::Plain << Align::Left << "" << 1 << false << 0
                                               << "ATPW+4+N+L+\r\n+SIZE:S+OK";
    }
    void build()
    {
        QFETCH(int, line);
        QFETCH(Kind, kind);
        QFETCH(Align, align);
        QFETCH(QString, text);
        QFETCH(int, blanks);
        QFETCH(bool, big);
        QFETCH(int, language);
        QFETCH(QString, record);
        LineRecord::Controls c{line, kind, align, text, blanks, big};
        QCOMPARE(LineRecord::build(c, language), record);
        const LineRecord::Controls back = LineRecord::read(record);
        QCOMPARE(back.kind, kind);
        QCOMPARE(back.align, align);
        QCOMPARE(back.blankLines, blanks);
        QCOMPARE(back.bigFont, big);
        if (kind == Kind::Plain || kind == Kind::PeopleRemaining)
            QCOMPARE(back.text, text);
    }

    void slotOf_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<int>("slot");
        QTest::newRow("0") << "ATPW+0+N+L+a+SIZE:S+OK" << 0;
        QTest::newRow("9") << "ATPW+9+N+L+a+SIZE:S+OK" << 9;
        QTest::newRow("10 is no slot") << "ATPW+10+N+L+a+SIZE:S+OK" << -1;
        QTest::newRow("no digits") << "ATPW+N+L+a+SIZE:S+OK" << -1;
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
    }

    void emptyPageWritesTenBlankRecords()
    {
        const QString page[10];
        const QStringList commands = LineRecord::writeCommands(page);
        QCOMPARE(commands.size(), 10);
        for (int i = 0; i < 10; ++i)
            QCOMPARE(commands.at(i), QStringLiteral("ATPW+%1+N+L+ +SIZE:S+OK").arg(i));
    }

    void limits_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("big");
        QTest::addColumn<int>("limit");
        QTest::newRow("plain small") << Kind::Plain << false << 128;
        QTest::newRow("plain big") << Kind::Plain << true << 16;
        QTest::newRow("remaining small") << Kind::PeopleRemaining << false << 123;
        QTest::newRow("remaining big") << Kind::PeopleRemaining << true << 11;
        QTest::newRow("time small") << Kind::Time << false << 128;
    }
    void limits()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, big);
        QFETCH(int, limit);
        QCOMPARE(LineRecord::editorLimit(kind, big), limit);
    }

    void timeSample_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("sample");
        const QDateTime march(QDate(2024, 3, 2), QTime(9, 5, 7));
        QTest::newRow("Chinese") << 0 << march << "2024-03-02 09:05:07";
        QTest::newRow("English") << 1 << march << "02-Mar-2024 09:05:07";
        QTest::newRow("Polish") << 2 << march << "09:05:07 02-Mar-2024";
        QTest::newRow("English January") << 1 << QDateTime(QDate(2025, 1, 31), QTime(23, 0)) << "31-Jan-2025 23:00:00";
        QTest::newRow("Polish October") << 2 << QDateTime(QDate(2025, 10, 1), QTime(8, 0)) << "08:00:00 01-Paz-2025";
        QTest::newRow("Polish December") << 2 << QDateTime(QDate(2025, 12, 24), QTime(18, 30)) << "18:30:00 24-Gru-2025";
    }
    void timeSample()
    {
        QFETCH(int, language);
        QFETCH(QDateTime, when);
        QFETCH(QString, sample);
        QCOMPARE(TimeSample::format(when, language), sample);
    }
};

QTEST_GUILESS_MAIN(tst_LineRecord)
#include "tst_linerecord.moc"
