#include "app/StartOptions.h"

#include <QtTest>

class tst_StartOptions : public QObject
{
    Q_OBJECT

private slots:
    void outcome_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("outcome");
        using O = StartOptions::Outcome;
        QTest::newRow("nothing") << QStringList{} << int(O::Run);
        QTest::newRow("help") << QStringList{"--help"} << int(O::Help);
        QTest::newRow("version") << QStringList{"--version"} << int(O::Version);
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << int(O::Error);
        QTest::newRow("stray argument") << QStringList{"file.ini"} << int(O::Error);
        QTest::newRow("port without path") << QStringList{"--port"} << int(O::Error);
        QTest::newRow("bad delay") << QStringList{"--screenshot", "a.png", "--screenshot-delay", "soon"} << int(O::Error);
        QTest::newRow("negative delay") << QStringList{"--screenshot-delay", "-5"} << int(O::Error);
        QTest::newRow("simulate with connect") << QStringList{"--simulate", "--connect", "/dev/ttyS0"} << int(O::Error);
    }
    void outcome()
    {
        QFETCH(QStringList, args);
        QFETCH(int, outcome);
        const StartOptions o = StartOptions::parse(QStringList{"tqmanage"} + args);
        QCOMPARE(int(o.outcome), outcome);
        if (o.outcome == StartOptions::Outcome::Error)
            QVERIFY(!o.message.isEmpty());
    }

    void values()
    {
        const StartOptions o = StartOptions::parse({"tqmanage", "--port", "/dev/pts/7", "--port", "/tmp/ttyV0",
                                                    "--system-dir", "/tmp/sys", "--screenshot", "shot.png",
                                                    "--screenshot-delay", "200", "--connect", "/dev/pts/9"});
        QCOMPARE(int(o.outcome), int(StartOptions::Outcome::Run));
        QCOMPARE(o.ports, (QStringList{"/dev/pts/7", "/tmp/ttyV0"}));
        QCOMPARE(o.connectPort, QStringLiteral("/dev/pts/9"));
        QCOMPARE(o.systemDir, QStringLiteral("/tmp/sys"));
        QCOMPARE(o.screenshot, QStringLiteral("shot.png"));
        QCOMPARE(o.screenshotDelay, 200);
        QVERIFY(!o.simulate);
        QCOMPARE(o.restartArguments(), (QStringList{"--system-dir", "/tmp/sys", "--port", "/dev/pts/7", "--port",
                                                    "/tmp/ttyV0", "--port", "/dev/pts/9"}));
    }

    void defaults()
    {
        const StartOptions o = StartOptions::parse({"tqmanage"});
        QCOMPARE(o.screenshotDelay, 1500);
        QVERIFY(o.restartArguments().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_StartOptions)
#include "tst_startoptions.moc"
