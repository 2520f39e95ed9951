#include "sim/SimUnit.h"

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
