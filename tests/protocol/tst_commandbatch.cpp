#include "protocol/CommandBatch.h"
#include "protocol/FieldText.h"

#include <QtTest>

namespace {
// Plays the device page and the unit: every send empties the latest text, and the unit
// may answer each command after a short while.
struct Line {
    QString rx;
    QStringList sent;
    QList<int> progress;
    QString log;
    std::function<QString(const QString &)> unit;
};

void attach(CommandBatch &batch, Line &line)
{
    QObject::connect(&batch, &CommandBatch::send, [&line](const QString &command) {
        line.rx.clear();
        line.sent << command;
        if (line.unit) {
            const QString reply = line.unit(command);
            if (!reply.isNull())
                QTimer::singleShot(20, [&line, reply] { line.rx = reply; });
        }
    });
    QObject::connect(&batch, &CommandBatch::progress, [&line](int p) { line.progress << p; });
    QObject::connect(&batch, &CommandBatch::logLine, [&line](const QString &t) { line.log += t; });
}
} // namespace

class tst_CommandBatch : public QObject
{
    Q_OBJECT

private slots:
    void progressValues_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("ack");
        QTest::addColumn<QList<int>>("progress");
        QTest::newRow("three type names") << QStringList{"ATLW+1+a+OK", "ATLW+2+b+OK", "ATLW+3+c+OK"} << "TYPE_PB_SET"
                                          << "ATLW+1+OK!\r\n" << QList<int>{66, 99, 100};
        QTest::newRow("four parameters") << QStringList{"ATNW+0+1+OK", "ATNW+1+1+OK", "ATNW+2+25+OK", "ATNW+3+0+OK"}
                                         << "PB_ID_sned" << "ATNW+2+OK!\r\n" << QList<int>{50, 75, 100};
        QTest::newRow("one command") << QStringList{"ATRW+58317+OK"} << "PB_Rec_sned" << "ATRW+51+OK!\r\n" << QList<int>{100};
        QStringList ten;
        for (int i = 0; i < 10; ++i)
            ten << QStringLiteral("ATPW+%1+N+L+ +SIZE:S+OK").arg(i);
        QTest::newRow("ten lines") << ten << "Print_Write_Push" << "ATPW+7+OK!\r\n"
                                   << QList<int>{20, 30, 40, 50, 60, 70, 80, 90, 100, 100};
    }
    void progressValues()
    {
        QFETCH(QStringList, commands);
        QFETCH(QString, kind);
        QFETCH(QString, ack);
        QFETCH(QList<int>, progress);
        QString list[10];
        for (int i = 0; i < commands.size(); ++i)
            list[i] = commands.at(i);
        Line line;
        line.unit = [ack](const QString &) { return ack; };
        CommandBatch batch(list, &line.rx, kind);
        attach(batch, line);
        batch.start();
        QTRY_VERIFY_WITH_TIMEOUT(batch.isComplete(), 10000);
        QCOMPARE(line.sent, commands);
        QCOMPARE(line.progress.mid(0, progress.size()), progress);
        QVERIFY(!batch.isPolling());
        QVERIFY(line.log.endsWith(QStringLiteral("发送完成已停止通信.....")));
    }

    void logOfFourParameters()
    {
        QString list[10] = {"a", "b", "c", "d"};
        Line line;
        line.unit = [](const QString &) { return QStringLiteral("ATNW+0+OK!\r\n"); };
        CommandBatch batch(list, &line.rx, "PB_ID_sned");
        attach(batch, line);
        line.log = batch.headerLine();
        batch.start();
        QTRY_VERIFY_WITH_TIMEOUT(batch.isComplete(), 5000);
        QCOMPARE(line.log, QStringLiteral("正在解析系统参数.......\r\n共有 4 参数需要发送正在建立通信......\r\n"
                                          "正在发送 1 条内容......\r\n正在发送 2 条内容......\r\n"
                                          "正在发送 3 条内容......\r\n正在发送 4 条内容......\r\n"
                                          "发送完成已停止通信....."));
    }

    void emptyBatchSendsNothing()
    {
        QString list[10];
        Line line;
        CommandBatch batch(list, &line.rx, "TYPE_PB_SET");
        attach(batch, line);
        QCOMPARE(batch.headerLine(), QStringLiteral("正在解析类型名字内容.......\r\n"));
        batch.start();
        QCOMPARE(line.log, QStringLiteral("当前没有要发送的数据已停止通信....\r\n"));
        QVERIFY(!batch.isPolling());
        QVERIFY(line.sent.isEmpty());
    }

    void onlyLeadingEntriesAreCounted()
    {
        // Entries past the kind's examined count never go out.
        QString list[10] = {"ATRW+58317+OK", "extra"};
        CommandBatch batch(list, nullptr, "PB_Rec_sned");
        QCOMPARE(batch.commandCount(), 1);
    }

    void unknownKindDoesNothing()
    {
        QString list[10] = {"x"};
        Line line;
        CommandBatch batch(list, &line.rx, "Pair_Set_Push");
        attach(batch, line);
        QVERIFY(batch.headerLine().isEmpty());
        batch.start();
        QVERIFY(line.sent.isEmpty());
        QVERIFY(!batch.isPolling());
    }

    void replyThatDoesNotMatchKeepsWaiting_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::newRow("wrong code") << "ATLW+7+OK!\r\n";
        QTest::newRow("two acknowledgements") << "ATLW+1+OK!\r\nATLW+2+OK!\r\n";
        QTest::newRow("half") << "ATLW+1+";
        QTest::newRow("nothing") << QString();
    }
    void replyThatDoesNotMatchKeepsWaiting()
    {
        QFETCH(QString, reply);
        QString list[10] = {"ATLW+1+a+OK", "ATLW+2+b+OK"};
        Line line;
        line.unit = [reply](const QString &) { return reply; };
        CommandBatch batch(list, &line.rx, "TYPE_PB_SET");
        attach(batch, line);
        batch.start();
        QTest::qWait(600);
        QCOMPARE(line.sent, QStringList{"ATLW+1+a+OK"});
        QVERIFY(batch.isPolling());
        QVERIFY(line.progress.isEmpty());
    }

    void latestDeliveryCounts()
    {
        QString list[10] = {"ATLW+1+a+OK", "ATLW+2+b+OK"};
        Line line;
        CommandBatch batch(list, &line.rx, "TYPE_PB_SET");
        attach(batch, line);
        batch.start();
        line.rx = "ATLW+1+OK!\r\n"; // a matching text ...
        line.rx = "noise";          // ... replaced before the poll
        QTest::qWait(300);
        QCOMPARE(line.sent.size(), 1);
        line.rx = "ATLW+1+OK!\r\n";
        QTRY_COMPARE_WITH_TIMEOUT(line.sent.size(), 2, 2000);
        QVERIFY(line.rx.isEmpty()); // emptied after the advance
    }

    void replyBeforeFirstPollIsTaken()
    {
        QString list[10] = {"ATTW+24-03-02-06-09-05-00+OK"};
        Line line;
        CommandBatch batch(list, &line.rx, "PB_Time_syn_sned");
        attach(batch, line);
        batch.start();
        line.rx = "ATTW+43+OK!\r\n";
        QTRY_VERIFY_WITH_TIMEOUT(batch.isComplete(), 2000);
        QCOMPARE(line.progress, QList<int>{100});
    }

    void fieldText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("plus");
        QTest::newRow("plain fits") << "VIP" << 8 << "VIP" << 0;
        QTest::newRow("one plus") << "V+IP" << 8 << "VIP" << 1;
        QTest::newRow("two plus together") << "a++b" << 8 << "ab" << 2;
        QTest::newRow("ten ascii") << "ABCDEFGHIJ" << 8 << "ABCDEFGH" << 0;
        QTest::newRow("five Chinese") << "一二三四五" << 8 << "一二三四" << 0;
        QTest::newRow("odd byte left") << "ABC一二三四" << 8 << "ABC一二" << 0;
        QTest::newRow("plus then cut") << "+ABCDEFGH+IJ" << 8 << "ABCDEFGH" << 2;
        QTest::newRow("only plus") << "+++" << 8 << "" << 3;
    }
    void fieldText()
    {
        QFETCH(QString, typed);
        QFETCH(int, limit);
        QFETCH(QString, text);
        QFETCH(int, plus);
        const FieldText cleaned = FieldText::clean(typed, limit);
        QCOMPARE(cleaned.text, text);
        QCOMPARE(cleaned.removedPlus, plus);
    }
};

QTEST_GUILESS_MAIN(tst_CommandBatch)
#include "tst_commandbatch.moc"
