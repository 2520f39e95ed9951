// Commands as built for the wire, acknowledgement patterns, the type-name field rule, the
// command batch's pacing and the unit session's state query and dispatch.
#include "firmware/UpgradeSession.h"
#include "protocol/BatchKind.h"
#include "protocol/CommandBatch.h"
#include "protocol/Commands.h"
#include "protocol/FieldText.h"
#include "protocol/PairingTrace.h"
#include "protocol/SettingsBatches.h"
#include "protocol/UnitSession.h"
#include "ticket/Gbk.h"

#include <QDateTime>
#include <QtTest>

namespace {
// Plays the device page and the unit: every send empties the latest text, and the unit may answer
// each command 20 ms later.
struct Line {
    CommandBatch *batch = nullptr;
    QStringList sent;
    QList<qint64> sentAt;
    QElapsedTimer clock;
    QList<int> progress;
    QString log;
    std::function<QString(const QString &)> unit;
};

void attach(CommandBatch &batch, Line &line)
{
    line.batch = &batch;
    QObject::connect(&batch, &CommandBatch::send, [&line](const QString &command) {
        line.batch->linkSent();
        line.sent << command;
        line.sentAt << line.clock.elapsed();
        const QString reply = line.unit ? line.unit(command) : QString();
        if (!reply.isNull())
            QTimer::singleShot(20, [&line, reply] { line.batch->received(reply); });
    });
    QObject::connect(&batch, &CommandBatch::progress, [&line](int p) { line.progress << p; });
    QObject::connect(&batch, &CommandBatch::logLine, [&line](const QString &t) { line.log += t; });
}

// The kind by its name in the record.
BatchKind kindNamed(const QString &name)
{
    for (BatchKind kind : BatchKinds::All)
        if (BatchKinds::name(kind) == name)
            return kind;
    qFatal("no batch kind %s", qPrintable(name));
}
} // namespace

class tst_Protocol : public QObject
{
    Q_OBJECT

private slots:
    void builders_data()
    {
        QTest::addColumn<QString>("built");
        QTest::addColumn<QString>("expected");
        QTest::newRow("state query") << Commands::stateQuery() << "ATSW+STATE+OK";
        QTest::newRow("type name Chinese") << Commands::typeName(2, "普通业务") << "ATLW+2+普通业务+OK";
        QTest::newRow("network id 7") << Commands::networkId(7) << "ATNW+0+7+OK";
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
        QTest::newRow("Saturday") << Commands::timeSync({QDate(2024, 3, 2), QTime(9, 5, 0)}) << "ATTW+24-03-02-06-09-05-00+OK";
        QTest::newRow("Sunday is 07") << Commands::timeSync({QDate(2023, 12, 31), QTime(23, 59, 58)})
                                      << "ATTW+23-12-31-07-23-59-58+OK";
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); // the PC's language plays no part
        QTest::newRow("Polish locale") << Commands::timeSync({QDate(2024, 3, 2), QTime(21, 5, 0)}) << "ATTW+24-03-02-06-21-05-00+OK";
        QLocale::setDefault(QLocale::c());
        QTest::newRow("Monday is 01") << Commands::timeSync({QDate(2024, 1, 1), QTime(0, 0, 1)}) << "ATTW+24-01-01-01-00-00-01+OK";
        QTest::newRow("clearing 00:00") << SettingsBatches::clearingHour(1) << "00";
        QTest::newRow("clearing 23:00") << SettingsBatches::clearingHour(24) << "23";
        SettingsCodec::Settings defaults; // restart allowed, no clearing
        defaults.networkIdIndex = 42;
        QTest::newRow("parameters: defaults, Polish") << SettingsBatches::parameters(defaults, 2).join(' ')
                                                      << "ATNW+0+42+OK ATNW+1+1+OK ATNW+2+25+OK ATNW+3+2+OK";
    }
    void builders()
    {
        QFETCH(QString, built);
        QFETCH(QString, expected);
        QCOMPARE(built, expected);
    }

    void typeNameBatch_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("batch");
        QTest::newRow("types 2 and 4") << QStringList{"", "A", "", "普通", ""} << QStringList{"ATLW+2+A+OK", "ATLW+4+普通+OK"};
        QTest::newRow("all empty, whatever the lines") << QStringList{"", "", "", "", ""} << QStringList{};
        QTest::newRow("no GBK bytes count as empty")
            << QStringList{QString(QChar(0x200B)), QString(QChar(0xFEFF)), QString(QChar(0x00AD)), "", "e"}
            << QStringList{"ATLW+5+e+OK"};
        QTest::newRow("held to the field rule") << QStringList{"ABCDEFGHIJ", "一二三四五", "", "", ""}
                                                << QStringList{"ATLW+1+ABCDEFGH+OK", "ATLW+2+一二三四+OK"};
    }
    void typeNameBatch()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, batch);
        SettingsCodec::Settings s;
        std::fill(std::begin(s.lines), std::end(s.lines), QStringLiteral("ATPW+0+N+L+a+SIZE:S+OK"));
        std::copy(names.cbegin(), names.cend(), s.typeNames);
        QCOMPARE(SettingsBatches::typeNames(s), batch);
    }

    void acknowledgements_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("acknowledges");
        QTest::newRow("ATPW 7") << "ticket" << "ATPW+7+OK!\r\n" << true;
        QTest::newRow("ATPW 6") << "ticket" << "ATPW+6+OK!\r\n" << false;
        QTest::newRow("ATLW 0") << "names" << "ATLW+0+OK!\r\n" << true;
        QTest::newRow("ATLW 5") << "names" << "ATLW+5+OK!\r\n" << true;
        QTest::newRow("ATLW 6") << "names" << "ATLW+6+OK!\r\n" << false;
        QTest::newRow("no CR LF") << "names" << "ATLW+3+OK!" << false;
        QTest::newRow("lower case ok") << "names" << "ATLW+3+ok!\r\n" << false;
        QTest::newRow("leading byte") << "names" << " ATLW+3+OK!\r\n" << false;
        QTest::newRow("trailing byte") << "names" << "ATLW+3+OK!\r\nX" << false;
        QTest::newRow("ATNW 3") << "params" << "ATNW+3+OK!\r\n" << true;
        QTest::newRow("ATNW 4") << "params" << "ATNW+4+OK!\r\n" << false;
        QTest::newRow("two acks in one text") << "params" << "ATNW+1+OK!\r\nATNW+2+OK!\r\n" << false;
        QTest::newRow("ATTW 43") << "clock" << "ATTW+43+OK!\r\n" << true;
        QTest::newRow("ATTW 44") << "clock" << "ATTW+44+OK!\r\n" << false;
        QTest::newRow("ATRW 51") << "reset" << "ATRW+51+OK!\r\n" << true;
        QTest::newRow("other kind's ack") << "reset" << "ATTW+43+OK!\r\n" << false;
        QTest::newRow("pairing: no batch") << "pairing" << "ATAW+ADD+1+OK" << false;
    }
    void acknowledgements()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(bool, acknowledges);
        QCOMPARE(BatchKinds::acknowledges(kindNamed(kind), text), acknowledges);
    }

    void progress_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("ack");
        QTest::addColumn<QList<int>>("progress");
        QTest::newRow("three type names") << QStringList{"ATLW+1+a+OK", "ATLW+2+b+OK", "ATLW+3+c+OK"} << "names"
                                          << "ATLW+1+OK!\r\n" << QList<int>{66, 99, 100};
        QTest::newRow("four parameters") << QStringList{"a", "b", "c", "d"} << "params" << "ATNW+2+OK!\r\n"
                                         << QList<int>{50, 75, 100, 100};
        QTest::newRow("one command") << QStringList{"ATRW+58317+OK"} << "reset" << "ATRW+51+OK!\r\n" << QList<int>{100};
        QTest::newRow("ten lines") << QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"} << "ticket"
                                   << "ATPW+7+OK!\r\n" << QList<int>{20, 30, 40, 50, 60, 70, 80, 90, 100, 100};
    }
    void progress()
    {
        QFETCH(QStringList, commands);
        QFETCH(QString, kind);
        QFETCH(QString, ack);
        QFETCH(QList<int>, progress);
        Line line;
        line.unit = [ack](const QString &) { return ack; };
        CommandBatch batch(kindNamed(kind), commands);
        attach(batch, line);
        QCOMPARE(batch.commandCount(), commands.size());
        line.clock.start();
        batch.start();
        QTRY_VERIFY_WITH_TIMEOUT(batch.isComplete(), 10000);
        QCOMPARE(line.sent, commands);
        QCOMPARE(line.progress, progress);
        // The unit gets a short first look, then a quarter second per command.
        for (int i = 1; i < line.sentAt.size(); ++i)
            QVERIFY2(line.sentAt[i] - line.sentAt[i - 1] >= (i == 1 ? 110 : 240),
                     qPrintable(QString("gap %1: %2 ms").arg(i).arg(line.sentAt[i] - line.sentAt[i - 1])));
    }

    void logs_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("log");
        QTest::newRow("four parameters") << "params" << QStringList{"a", "b", "c", "d", "never examined"}
                                         << "正在解析系统参数.......\r\n共有 4 参数需要发送正在建立通信......\r\n"
                                            "正在发送 1 条内容......\r\n正在发送 2 条内容......\r\n"
                                            "正在发送 3 条内容......\r\n正在发送 4 条内容......\r\n发送完成已停止通信.....";
        QTest::newRow("empty batch") << "names" << QStringList{""} << "正在解析类型名字内容.......\r\n当前没有要发送的数据已停止通信....\r\n";
        QTest::newRow("pairing: no batch") << "pairing" << QStringList{"x"} << "当前没有要发送的数据已停止通信....\r\n";
    }
    void logs()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, list);
        QFETCH(QString, log);
        Line line;
        line.unit = [](const QString &) { return QStringLiteral("ATNW+0+OK!\r\n"); };
        CommandBatch batch(kindNamed(kind), list);
        attach(batch, line);
        line.log = batch.headerLine();
        batch.start();
        const bool sends = kind == "params";
        if (!sends)
            QCOMPARE(line.log, log); // with nothing to send it stops at once
        QTRY_COMPARE_WITH_TIMEOUT(line.log, log, 5000);
        batch.received(QStringLiteral("ATNW+0+OK!\r\n")); // once complete, nothing polls any more
        QTest::qWait(2 * CommandBatch::LaterPollMs);
        QCOMPARE(line.log, log);
        QCOMPARE(line.sent.size(), sends ? 4 : 0);
    }

    void entriesPastTheKindsCountAreNeverSent()
    {
        QStringList full, counts;
        for (int i = 0; i < 12; ++i)
            full << QStringLiteral("x");
        for (BatchKind kind : BatchKinds::All)
            counts << QString::number(CommandBatch(kind, full).commandCount());
        QCOMPARE(counts.join(' '), QStringLiteral("10 5 4 1 1 0"));
    }

    void replyThatDoesNotMatchKeepsWaiting_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::newRow("wrong code") << "ATLW+7+OK!\r\n";
        QTest::newRow("half") << "ATLW+1+";
        QTest::newRow("nothing") << QString();
    }
    void replyThatDoesNotMatchKeepsWaiting()
    {
        QFETCH(QString, reply);
        Line line;
        line.unit = [reply](const QString &) { return reply; };
        CommandBatch batch(BatchKind::Names, {"ATLW+1+a+OK", "ATLW+2+b+OK"});
        attach(batch, line);
        batch.start();
        QTest::qWait(400);
        QCOMPARE(line.sent, QStringList{"ATLW+1+a+OK"});
        QVERIFY(line.progress.isEmpty());
        batch.received(QStringLiteral("ATLW+1+OK!\r\n")); // still polling: a late acknowledgement continues
        QTRY_COMPARE_WITH_TIMEOUT(line.sent.size(), 2, 3000);
    }

    void givesUpAfterTheTimeout()
    {
        Line line;
        line.unit = [](const QString &c) { return c == "ATNW+0+1+OK" ? QStringLiteral("ATNW+0+OK!\r\n") : QString(); };
        CommandBatch batch(BatchKind::Params, {"ATNW+0+1+OK", "ATNW+1+1+OK", "c", "d"});
        attach(batch, line);
        QSignalSpy gaveUp(&batch, &CommandBatch::timedOut);
        batch.setTimeout(500);
        batch.start();
        QTRY_COMPARE_WITH_TIMEOUT(gaveUp.count(), 1, 3000);
        QCOMPARE(gaveUp.at(0).at(0).toString(), QStringLiteral("ATNW+1+1+OK")); // the one it waited for
        QCOMPARE(line.sent.size(), 2);
        batch.received(QStringLiteral("ATNW+1+OK!\r\n")); // too late: nothing polls any more
        QTest::qWait(2 * CommandBatch::LaterPollMs);
        QCOMPARE(line.sent.size(), 2);
        QVERIFY(!batch.isComplete());
    }

    // The record's pairing actions: one per add or delete, ended by the unit's answer to it, by the
    // next command, or by the window closing; an answer nobody waits for records nothing.
    void pairingRecords_data()
    {
        QTest::addColumn<QStringList>("steps");   // "> command", "< text" or "close"
        QTest::addColumn<QStringList>("records"); // "result acknowledged/commands command: reason"
        QTest::newRow("added") << QStringList{"> ATAW+ADD+1+OK", "< ATAW+1+SUCCESS+1001\r\n", "close"}
                               << QStringList{"ok 1/1 ATAW+ADD+1+OK: type 1 paired with dispenser 1001"};
        QTest::newRow("next command before the answer")
            << QStringList{"> ATAW+ADD+1+OK", "> ATAW+Delete+2+OK", "< ATAW+Delete+2\r\n"}
            << QStringList{"interrupted 0/1 ATAW+ADD+1+OK: no answer before the next pairing command",
                           "ok 1/1 ATAW+Delete+2+OK: deleted type 2"};
        QTest::newRow("closed first") << QStringList{"> ATAW+Delete+3+OK", "< ATAW+3+SUCCESS+9\r\n", "close"}
                                      << QStringList{"interrupted 0/1 ATAW+Delete+3+OK: window closed before the unit answered"};
        QTest::newRow("already paired, then a late answer")
            << QStringList{"> ATAW+ADD+1+OK", "< ATAW+1+REPEAT+4", "< ATAW+1+SUCCESS+5\r\n", "close"}
            << QStringList{"failed 1/1 ATAW+ADD+1+OK: the dispenser is already paired with type 4"};
        QTest::newRow("the pairings read on opening") << QStringList{"> ATAW+READ+ALL+OK", "< ATAW+1+SUCCESS+5\r\n", "close"}
                                                      << QStringList{};
    }
    void pairingRecords()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, records);
        PairingTrace trace;
        trace.setUnit(QStringLiteral("/dev/pts/9"), QStringLiteral("V2.1"));
        QStringList got;
        QString command;
        QObject::connect(&trace, &PairingTrace::recorded, [&](const UnitRecord &r) {
            QCOMPARE(r.action, QStringLiteral("pairing"));
            QCOMPARE(r.unit, QStringLiteral("/dev/pts/9"));
            QCOMPARE(r.firmware, QStringLiteral("V2.1"));
            const QString sent = r.commandsSha256 == ActionTrace::sha256(Gbk::encode(command)) ? command : QStringLiteral("?");
            got << QStringLiteral("%1 %2/%3 %4: %5").arg(r.result).arg(r.acknowledged).arg(r.commands).arg(sent, r.reason);
        });
        for (const QString &step : steps) {
            if (step == QLatin1String("close"))
                trace.close();
            else if (step.startsWith(QLatin1Char('<')))
                trace.received(step.mid(2));
            else {
                trace.sent(step.mid(2)); // the record it ends is the previous command's
                command = step.mid(2);
            }
        }
        QCOMPARE(got, records);
    }

    // A batch ended by whoever took its command (the window closing as it sends) stays ended: no
    // further command, look or timeout.
    void stoppedWhileSendingStaysStopped_data()
    {
        QTest::addColumn<int>("stopAt");
        QTest::newRow("the first command") << 1;
        QTest::newRow("the second command") << 2;
    }
    void stoppedWhileSendingStaysStopped()
    {
        QFETCH(int, stopAt);
        Line line;
        line.unit = [](const QString &c) { return QStringLiteral("ATLW+%1+OK!\r\n").arg(c.mid(5, 1)); };
        CommandBatch batch(BatchKind::Names, {"ATLW+1+a+OK", "ATLW+2+b+OK", "ATLW+3+c+OK"});
        attach(batch, line);
        QObject::connect(&batch, &CommandBatch::send, [&] {
            if (line.sent.size() == stopAt)
                batch.stop();
        });
        QSignalSpy gaveUp(&batch, &CommandBatch::timedOut);
        batch.setTimeout(300);
        batch.start();
        QTRY_COMPARE_WITH_TIMEOUT(line.sent.size(), stopAt, 3000);
        QSignalSpy looked(&batch, &CommandBatch::looking);
        QTest::qWait(300 + 2 * CommandBatch::LaterPollMs);
        QCOMPARE(line.sent.size(), stopAt);
        QCOMPARE(looked.count(), 0);
        QCOMPARE(gaveUp.count(), 0);
        QVERIFY(!batch.isComplete());
    }

    // Only the latest text, as it is at the batch's own tick, may acknowledge the command just sent.
    void onlyTheLatestTextCounts_data()
    {
        QTest::addColumn<QStringList>("texts"); // received after the first command, before a tick
        QTest::addColumn<bool>("sentBetween");  // something else goes to the unit after them
        QTest::addColumn<int>("sent");          // commands sent once the ticks have looked
        QTest::newRow("early acknowledgement") << QStringList{"ATLW+1+OK!\r\n"} << false << 2;
        QTest::newRow("acknowledgement, then noise") << QStringList{"ATLW+1+OK!\r\n", "noise"} << false << 1;
        QTest::newRow("acknowledgement, then a state reply") << QStringList{"ATLW+1+OK!\r\n", "ATSW+V2.1+OK!\r\n"} << false << 1;
        QTest::newRow("noise, then acknowledgement") << QStringList{"noise", "ATLW+1+OK!\r\n"} << false << 2;
        QTest::newRow("acknowledgement, then a send") << QStringList{"ATLW+1+OK!\r\n"} << true << 1;
    }
    void onlyTheLatestTextCounts()
    {
        QFETCH(QStringList, texts);
        QFETCH(bool, sentBetween);
        QFETCH(int, sent);
        Line line;
        CommandBatch batch(BatchKind::Names, {"ATLW+1+a+OK", "ATLW+2+b+OK", "ATLW+3+c+OK"});
        attach(batch, line);
        QSignalSpy looked(&batch, &CommandBatch::looking);
        batch.start();
        for (const QString &text : texts) // never looked at on receipt
            batch.received(text);
        if (sentBetween)
            batch.linkSent();
        QCOMPARE(line.sent.size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(looked.count() >= 2, 3000);
        QCOMPARE(line.sent.size(), sent);
        if (sent == 1)
            return;
        // Advanced: the acknowledgement is spent, the next command waits for its own.
        QTest::qWait(2 * CommandBatch::LaterPollMs);
        QCOMPARE(line.sent.size(), 2);
        batch.received("ATLW+2+OK!\r\n");
        batch.received("noise"); // replaced before the tick
        QTest::qWait(2 * CommandBatch::LaterPollMs);
        QCOMPARE(line.sent.size(), 2);
    }

    // The unit session hands the unit's texts to the batch that runs. The window hands a state reply
    // on as any text (it replaces an acknowledgement); the command line takes the first one only, so
    // an acknowledgement followed by the unit's state still counts.
    void sessionHandsTextsOn_data()
    {
        QTest::addColumn<bool>("takenOnce");
        QTest::addColumn<QStringList>("texts"); // after the first command, before a tick
        QTest::addColumn<int>("sent");
        QTest::addColumn<int>("onlineSaid");
        const QString state = "ATSW+V2.1+OK!\r\n", ack = "ATLW+1+OK!\r\n";
        QTest::newRow("window: acknowledgement") << false << QStringList{ack} << 2 << 1;
        QTest::newRow("window: acknowledgement, then state") << false << QStringList{ack, state} << 1 << 2;
        QTest::newRow("command line: acknowledgement, then state") << true << QStringList{ack, state} << 2 << 1;
        QTest::newRow("command line: state, then acknowledgement") << true << QStringList{state, ack} << 2 << 1;
    }
    void sessionHandsTextsOn()
    {
        QFETCH(bool, takenOnce);
        QFETCH(QStringList, texts);
        QFETCH(int, sent);
        QFETCH(int, onlineSaid);
        UnitSession session(takenOnce ? UnitSession::StateReplies::TakenOnce : UnitSession::StateReplies::HandedOn);
        QSignalSpy online(&session, &UnitSession::online);
        session.opened();
        session.received("ATSW+V2.1+OK!\r\n");
        QVERIFY(session.isOnline());
        Line line;
        CommandBatch batch(BatchKind::Names, {"ATLW+1+a+OK", "ATLW+2+b+OK", "ATLW+3+c+OK"});
        attach(batch, line);
        session.setBatch(&batch);
        QSignalSpy looked(&batch, &CommandBatch::looking);
        batch.start();
        for (const QString &text : texts)
            session.received(text);
        QTRY_VERIFY_WITH_TIMEOUT(looked.count() >= 2, 3000);
        QCOMPARE(line.sent.size(), sent);
        QCOMPARE(online.count(), onlineSaid);
    }

    // A silent unit is asked again every 2 s, but never while a firmware transfer may run: its
    // answer would end the transfer. Its silence is said once, with the first repeat.
    void sessionAsksNothingDuringATransfer()
    {
        UnitSession session;
        QSignalSpy asked(&session, &UnitSession::sendText);
        QSignalSpy silent(&session, &UnitSession::silent);
        session.opened();
        session.linkReady();
        QTRY_COMPARE_WITH_TIMEOUT(asked.count(), 1, 1000);
        UpgradeSession upgrade;
        session.setUpgrade(&upgrade);
        QTest::qWait(Commands::StateQueryRepeatMs + 300);
        QCOMPARE(asked.count(), 1);
        session.setUpgrade(nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(asked.count(), 2, Commands::StateQueryRepeatMs + 500);
        QCOMPARE(silent.count(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(asked.count(), 3, Commands::StateQueryRepeatMs + 500);
        QCOMPARE(silent.count(), 1);
        session.closed();
        QTest::qWait(Commands::StateQueryRepeatMs + 300);
        QCOMPARE(asked.count(), 3);
    }

    void fieldText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("plus");
        QTest::newRow("plain fits") << "VIP" << "VIP" << 0;
        QTest::newRow("two plus together") << "a++b" << "ab" << 2;
        QTest::newRow("seven ascii: under the limit") << "ABCDEFG" << "ABCDEFG" << 0;
        QTest::newRow("eight ascii: at the limit") << "ABCDEFGH" << "ABCDEFGH" << 0;
        QTest::newRow("nine ascii: one over") << "ABCDEFGHI" << "ABCDEFGH" << 0;
        QTest::newRow("four Chinese: at the limit") << "一二三四" << "一二三四" << 0;
        QTest::newRow("five Chinese") << "一二三四五" << "一二三四" << 0;
        QTest::newRow("odd byte left") << "ABC一二三四" << "ABC一二" << 0;
        QTest::newRow("plus then cut") << "+ABCDEFGH+IJ" << "ABCDEFGH" << 2;
        QTest::newRow("lone surrogate is a byte") << "abcdefgh" + QString(QChar(0xD83D)) << "abcdefgh" << 0;
    }
    void fieldText()
    {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(int, plus);
        const FieldText cleaned = FieldText::clean(typed, 8);
        QCOMPARE(cleaned.text, text);
        QCOMPARE(cleaned.removedPlus, plus);
    }
};

QTEST_GUILESS_MAIN(tst_Protocol)
#include "tst_protocol.moc"
