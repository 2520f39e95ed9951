#include "protocol/BatchKind.h"
#include "protocol/Commands.h"
#include "serial/Gbk.h"

#include <QDateTime>
#include <QtTest>

class tst_Commands : public QObject
{
    Q_OBJECT

private slots:
    void builders_data()
    {
        QTest::addColumn<QString>("built");
        QTest::addColumn<QString>("expected");
        QTest::newRow("state query") << Commands::stateQuery() << "ATSW+STATE+OK";
        QTest::newRow("type name ascii") << Commands::typeName(1, "VIP") << "ATLW+1+VIP+OK";
        QTest::newRow("type name Chinese") << Commands::typeName(2, "普通业务") << "ATLW+2+普通业务+OK";
        QTest::newRow("network id 7") << Commands::networkId(7) << "ATNW+0+7+OK";
        QTest::newRow("network id 99") << Commands::networkId(99) << "ATNW+0+99+OK";
        QTest::newRow("restart allowed") << Commands::syncRestart(true) << "ATNW+1+1+OK";
        QTest::newRow("restart forbidden") << Commands::syncRestart(false) << "ATNW+1+0+OK";
        QTest::newRow("clearing 07") << Commands::autoClear("07") << "ATNW+2+07+OK";
        QTest::newRow("unit language English") << Commands::unitLanguage(1) << "ATNW+3+1+OK";
        QTest::newRow("factory reset") << Commands::factoryReset() << "ATRW+58317+OK";
        QTest::newRow("pair read") << Commands::pairReadAll() << "ATAW+READ+ALL+OK";
        QTest::newRow("pair add") << Commands::pairAdd("3") << "ATAW+ADD+3+OK";
        QTest::newRow("pair delete all") << Commands::pairDelete("ALL") << "ATAW+Delete+ALL+OK";
        QTest::newRow("upgrade start") << Commands::upgradeStart() << "ATUP+APPSTART+OK\r\n";
        QTest::newRow("package over") << Commands::packageOver() << "ATUP+Package_Over+OK\r\n";
    }
    void builders()
    {
        QFETCH(QString, built);
        QFETCH(QString, expected);
        QCOMPARE(built, expected);
    }

    void typeNameOfFourChineseCharactersIsEightBytes()
    {
        const QByteArray wire = Gbk::encode(Commands::typeName(2, "普通业务"));
        QCOMPARE(wire, QByteArray("ATLW+2+") + Gbk::encode("普通业务") + QByteArray("+OK"));
        QCOMPARE(Gbk::encode("普通业务").size(), 8);
        QVERIFY(!wire.endsWith("\r\n"));
    }

    void timeSync_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("command");
        QTest::newRow("Saturday") << QDateTime(QDate(2024, 3, 2), QTime(9, 5, 0)) << "ATTW+24-03-02-06-09-05-00+OK";
        QTest::newRow("Sunday is 07") << QDateTime(QDate(2023, 12, 31), QTime(23, 59, 58)) << "ATTW+23-12-31-07-23-59-58+OK";
        QTest::newRow("Monday is 01") << QDateTime(QDate(2024, 1, 1), QTime(0, 0, 1)) << "ATTW+24-01-01-01-00-00-01+OK";
        QTest::newRow("year 2100") << QDateTime(QDate(2100, 6, 15), QTime(13, 7, 9)) << "ATTW+00-06-15-02-13-07-09+OK";
    }
    void timeSync()
    {
        QFETCH(QDateTime, when);
        QFETCH(QString, command);
        QCOMPARE(Commands::timeSync(when), command);
    }

    void timeSyncDoesNotDependOnLocale()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        const QString polish = Commands::timeSync(QDateTime(QDate(2024, 3, 2), QTime(21, 5, 0)));
        QLocale::setDefault(QLocale::c());
        QCOMPARE(polish, QStringLiteral("ATTW+24-03-02-06-21-05-00+OK"));
        QLocale::setDefault(saved);
    }

    void clearingHour_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("hour");
        QTest::newRow("disabled") << 0 << "禁止" << "25";
        QTest::newRow("disabled in English") << 0 << "DISABLE" << "25";
        QTest::newRow("00:00") << 1 << "00:00" << "00";
        QTest::newRow("05:00") << 6 << "05:00" << "05";
        QTest::newRow("23:00") << 24 << "23:00" << "23";
    }
    void clearingHour()
    {
        QFETCH(int, index);
        QFETCH(QString, item);
        QFETCH(QString, hour);
        QCOMPARE(Commands::clearingHourFromItem(index, item), hour);
    }

    void typeNameBatch_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("batch");
        QTest::newRow("types 2 and 4") << QStringList{"", "A", "", "普通", ""} << QStringList{"ATLW+2+A+OK", "ATLW+4+普通+OK"};
        QTest::newRow("all empty") << QStringList{"", "", "", "", ""} << QStringList{};
        QTest::newRow("all five") << QStringList{"a", "b", "c", "d", "e"}
                                  << QStringList{"ATLW+1+a+OK", "ATLW+2+b+OK", "ATLW+3+c+OK", "ATLW+4+d+OK", "ATLW+5+e+OK"};
    }
    void typeNameBatch()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, batch);
        QCOMPARE(Commands::typeNameBatch(names), batch);
    }

    void systemParameterBatch_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("restart");
        QTest::addColumn<int>("clearIndex");
        QTest::addColumn<QString>("clearText");
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("batch");
        QTest::newRow("42, forbidden, 07:00, English")
            << "42" << 1 << 8 << "07:00" << 1 << QStringList{"ATNW+0+42+OK", "ATNW+1+0+OK", "ATNW+2+07+OK", "ATNW+3+1+OK"};
        QTest::newRow("defaults, Chinese")
            << "0" << 0 << 0 << "禁止" << 0 << QStringList{"ATNW+0+0+OK", "ATNW+1+1+OK", "ATNW+2+25+OK", "ATNW+3+0+OK"};
        QTest::newRow("Polish, 23:00")
            << "99" << 0 << 24 << "23:00" << 2 << QStringList{"ATNW+0+99+OK", "ATNW+1+1+OK", "ATNW+2+23+OK", "ATNW+3+2+OK"};
    }
    void systemParameterBatch()
    {
        QFETCH(QString, id);
        QFETCH(int, restart);
        QFETCH(int, clearIndex);
        QFETCH(QString, clearText);
        QFETCH(int, language);
        QFETCH(QStringList, batch);
        QCOMPARE(Commands::systemParameterBatch(id, restart, clearIndex, clearText, language), batch);
    }

    void acknowledgements_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("acknowledges");
        QTest::newRow("ATPW 7") << "Print_Write_Push" << "ATPW+7+OK!\r\n" << true;
        QTest::newRow("ATPW 6") << "Print_Write_Push" << "ATPW+6+OK!\r\n" << false;
        QTest::newRow("ATLW 0") << "TYPE_PB_SET" << "ATLW+0+OK!\r\n" << true;
        QTest::newRow("ATLW 3") << "TYPE_PB_SET" << "ATLW+3+OK!\r\n" << true;
        QTest::newRow("ATLW 5") << "TYPE_PB_SET" << "ATLW+5+OK!\r\n" << true;
        QTest::newRow("ATLW wrong code 6") << "TYPE_PB_SET" << "ATLW+6+OK!\r\n" << false;
        QTest::newRow("ATLW wrong code 7") << "TYPE_PB_SET" << "ATLW+7+OK!\r\n" << false;
        QTest::newRow("ATLW missing CR LF") << "TYPE_PB_SET" << "ATLW+3+OK!" << false;
        QTest::newRow("ATLW only LF") << "TYPE_PB_SET" << "ATLW+3+OK!\n" << false;
        QTest::newRow("ATLW lower case ok") << "TYPE_PB_SET" << "ATLW+3+ok!\r\n" << false;
        QTest::newRow("ATLW leading byte") << "TYPE_PB_SET" << " ATLW+3+OK!\r\n" << false;
        QTest::newRow("ATLW trailing byte") << "TYPE_PB_SET" << "ATLW+3+OK!\r\nX" << false;
        QTest::newRow("ATLW two digits") << "TYPE_PB_SET" << "ATLW+33+OK!\r\n" << false;
        QTest::newRow("ATNW 0") << "PB_ID_sned" << "ATNW+0+OK!\r\n" << true;
        QTest::newRow("ATNW 3") << "PB_ID_sned" << "ATNW+3+OK!\r\n" << true;
        QTest::newRow("ATNW 4") << "PB_ID_sned" << "ATNW+4+OK!\r\n" << false;
        QTest::newRow("two acks in one text") << "PB_ID_sned" << "ATNW+1+OK!\r\nATNW+2+OK!\r\n" << false;
        QTest::newRow("ATTW 43") << "PB_Time_syn_sned" << "ATTW+43+OK!\r\n" << true;
        QTest::newRow("ATTW 44") << "PB_Time_syn_sned" << "ATTW+44+OK!\r\n" << false;
        QTest::newRow("ATRW 51") << "PB_Rec_sned" << "ATRW+51+OK!\r\n" << true;
        QTest::newRow("ATRW half") << "PB_Rec_sned" << "ATRW+51+" << false;
        QTest::newRow("other kind's ack") << "PB_Rec_sned" << "ATTW+43+OK!\r\n" << false;
        QTest::newRow("empty text") << "PB_Rec_sned" << "" << false;
    }
    void acknowledgements()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(bool, acknowledges);
        const BatchKind *k = BatchKind::byName(kind);
        QVERIFY(k);
        QCOMPARE(k->acknowledges(text), acknowledges);
    }

    void kinds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("examined");
        QTest::newRow("ticket") << "Print_Write_Push" << 10;
        QTest::newRow("types") << "TYPE_PB_SET" << 5;
        QTest::newRow("parameters") << "PB_ID_sned" << 4;
        QTest::newRow("time") << "PB_Time_syn_sned" << 1;
        QTest::newRow("reset") << "PB_Rec_sned" << 1;
        QTest::newRow("case differs") << "pb_rec_sned" << -1;
        QTest::newRow("unknown") << "Pair_Set_Push" << -1;
    }
    void kinds()
    {
        QFETCH(QString, name);
        QFETCH(int, examined);
        const BatchKind *k = BatchKind::byName(name);
        QCOMPARE(k ? k->examined : -1, examined);
    }
};

QTEST_GUILESS_MAIN(tst_Commands)
#include "tst_commands.moc"
