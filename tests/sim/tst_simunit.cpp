#include "sim/SimUnit.h"
#include "sim/TicketPrinter.h"

#include <QtTest>

class tst_SimUnit : public QObject
{
    Q_OBJECT

private slots:
    void stateQuery_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("bootloader");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("default") << "V2.1" << false << QByteArray("ATSW+STATE+OK") << QByteArray("ATSW+V2.1+OK\r\n");
        QTest::newRow("other version") << "V1.2" << false << QByteArray("ATSW+STATE+OK") << QByteArray("ATSW+V1.2+OK\r\n");
        QTest::newRow("bootloader") << "V2.1" << true << QByteArray("ATSW+STATE+OK") << QByteArray("ATSW+VB2.1+OK\r\n");
        QTest::newRow("bootloader keeps VB") << "VB1.0" << true << QByteArray("ATSW+STATE+OK") << QByteArray("ATSW+VB1.0+OK\r\n");
        QTest::newRow("with line end is no query") << "V2.1" << false << QByteArray("ATSW+STATE+OK\r\n") << QByteArray();
        QTest::newRow("unknown verb") << "V2.1" << false << QByteArray("ATXX+1+OK") << QByteArray();
        QTest::newRow("binary noise") << "V2.1" << false << QByteArray("\x00\xff\x10", 3) << QByteArray();
    }
    void stateQuery()
    {
        QFETCH(QString, version);
        QFETCH(bool, bootloader);
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        SimUnit::Options o;
        o.firmwareVersion = version;
        o.bootloader = bootloader;
        SimUnit unit(o);
        const auto replies = unit.handle(command);
        if (reply.isEmpty()) {
            QVERIFY(replies.isEmpty());
        } else {
            QCOMPARE(replies.size(), 1);
            QCOMPARE(replies.constFirst().bytes, reply);
        }
    }

    void acknowledgements_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("ticket line") << QByteArray("ATPW+3+N+L+Hello+SIZE:S+OK") << QByteArray("ATPW+7+OK!\r\n");
        QTest::newRow("type name") << QByteArray("ATLW+2+VIP+OK") << QByteArray("ATLW+2+OK!\r\n");
        QTest::newRow("type name of 8 GBK bytes") << QByteArray("ATLW+5+\xc6\xd5\xcd\xa8\xd2\xb5\xce\xf1+OK")
                                                  << QByteArray("ATLW+5+OK!\r\n");
        QTest::newRow("type name too long") << QByteArray("ATLW+2+ABCDEFGHI+OK") << QByteArray();
        QTest::newRow("type 6") << QByteArray("ATLW+6+A+OK") << QByteArray();
        QTest::newRow("network id") << QByteArray("ATNW+0+42+OK") << QByteArray("ATNW+0+OK!\r\n");
        QTest::newRow("network id with leading zero") << QByteArray("ATNW+0+07+OK") << QByteArray();
        QTest::newRow("restart") << QByteArray("ATNW+1+0+OK") << QByteArray("ATNW+1+OK!\r\n");
        QTest::newRow("clearing 25") << QByteArray("ATNW+2+25+OK") << QByteArray("ATNW+2+OK!\r\n");
        QTest::newRow("clearing 24") << QByteArray("ATNW+2+24+OK") << QByteArray();
        QTest::newRow("language") << QByteArray("ATNW+3+2+OK") << QByteArray("ATNW+3+OK!\r\n");
        QTest::newRow("clock") << QByteArray("ATTW+24-03-02-06-09-05-00+OK") << QByteArray("ATTW+43+OK!\r\n");
        QTest::newRow("clock weekday 08") << QByteArray("ATTW+24-03-02-08-09-05-00+OK") << QByteArray();
        QTest::newRow("factory reset") << QByteArray("ATRW+58317+OK") << QByteArray("ATRW+51+OK!\r\n");
        QTest::newRow("wrong access code") << QByteArray("ATRW+12345+OK") << QByteArray();
    }
    void acknowledgements()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        SimUnit unit({});
        const auto replies = unit.handle(command);
        QCOMPARE(replies.isEmpty(), reply.isEmpty());
        if (!reply.isEmpty())
            QCOMPARE(replies.constFirst().bytes, reply);
    }

    void keepsWhatItWasTold()
    {
        SimUnit unit({});
        unit.handle("ATLW+2+VIP+OK");
        unit.handle("ATNW+0+42+OK");
        unit.handle("ATNW+2+07+OK");
        unit.handle("ATTW+24-03-02-06-09-05-00+OK");
        QCOMPARE(unit.state().typeNames[1], QStringLiteral("VIP"));
        QCOMPARE(unit.state().networkId, QStringLiteral("42"));
        QCOMPARE(unit.state().clearingHour, QStringLiteral("07"));
        QCOMPARE(unit.state().clock, QStringLiteral("24-03-02-06-09-05-00"));
        QVERIFY(unit.takeNotes().contains(QStringLiteral("network id = 42")));
        unit.handle("ATRW+58317+OK");
        QVERIFY(unit.state().typeNames[1].isEmpty());
    }

    void faults()
    {
        SimUnit::Options o;
        o.silentVerbs = QStringList{"ATNW"};
        o.wrongCodeVerbs = QStringList{"ATLW"};
        o.ackDelayMs = 300;
        o.splitReplies = true;
        SimUnit unit(o);
        QVERIFY(unit.handle("ATNW+0+1+OK").isEmpty());
        const auto wrong = unit.handle("ATLW+2+A+OK");
        QCOMPARE(wrong.size(), 2);
        QCOMPARE(wrong.at(0).bytes + wrong.at(1).bytes, QByteArray("ATLW+92+OK!\r\n"));
        QCOMPARE(wrong.at(0).delayMs, 300);
        QCOMPARE(wrong.at(1).delayMs, SimUnit::SplitGapMs);
    }

    void printedRows_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("blank record prints nothing") << "ATPW+4+N+L+ +SIZE:S+OK" << QStringList{};
        QTest::newRow("right aligned") << "ATPW+0+N+R+abc+SIZE:S+OK" << QStringList{"S|" + QString(29, ' ') + "abc"};
        QTest::newRow("two rows and a blank line") << "ATPW+0+N+L+" + QString(40, 'a') + "\r\n+SIZE:S+OK"
                                                   << QStringList{"S|" + QString(32, 'a'), "S|" + QString(8, 'a'), "S|"};
        QTest::newRow("big centred") << "ATPW+0+N+M+ab+SIZE:B+OK" << QStringList{"B|       ab"};
        QTest::newRow("ticket type") << "ATPW+1+S+L+ +SIZE:S+OK" << QStringList{"S|类型:0001"};
        QTest::newRow("people waiting") << "ATPW+2+R+L+还有:人+SIZE:S+OK" << QStringList{"S|还有3人"};
        QTest::newRow("malformed") << "ATPW+2+R" << QStringList{};
    }
    void printedRows()
    {
        QFETCH(QString, record);
        QFETCH(QStringList, rows);
        QCOMPARE(TicketPrinter::printLine(record, {}), rows);
    }

    void ticketPrintedAfterTenLines()
    {
        SimUnit unit({});
        for (int i = 0; i < 9; ++i)
            unit.handle(QStringLiteral("ATPW+%1+N+L+Line%1+SIZE:S+OK").arg(i).toUtf8());
        QVERIFY(unit.lastTicket().isEmpty());
        unit.handle("ATPW+9+N+L+Line9+SIZE:S+OK");
        QCOMPARE(unit.lastTicket().size(), 10);
        QCOMPARE(unit.lastTicket().at(3), QStringLiteral("S|Line3"));
    }

    void addedHandlerIsUsed()
    {
        SimUnit unit({});
        unit.addHandler("ATZZ", [](const SimUnit::Command &c) {
            return QList<SimUnit::Reply>{{c.fields.value(1).toLatin1(), 5}};
        });
        const auto replies = unit.handle("ATZZ+hello+OK");
        QCOMPARE(replies.size(), 1);
        QCOMPARE(replies.constFirst().bytes, QByteArray("hello"));
        QCOMPARE(replies.constFirst().delayMs, 5);
    }
};

QTEST_GUILESS_MAIN(tst_SimUnit)
#include "tst_simunit.moc"
