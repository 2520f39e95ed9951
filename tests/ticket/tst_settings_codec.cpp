#include "ticket/SettingsCodec.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

class tst_SettingsCodec : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip()
    {
        SettingsCodec::Settings s;
        s.lines[0] = "ATPW+0+N+M+欢迎光临+SIZE:B+OK";
        s.lines[1] = "ATPW+1+T+R+2024-03-02 09:05:00\r\n\r\n+SIZE:S+OK";
        s.lines[4] = "ATPW+4+N+L+Say \"hi\", then; = go  +SIZE:S+OK";
        s.lines[9] = "ATPW+9+N+L+ lead and trail +SIZE:S+OK";
        s.typeNames[0] = "普通业务";
        s.typeNames[2] = "\"A\"";
        s.typeNames[4] = "a;b=c";
        s.networkIdIndex = 42;
        s.autoClearIndex = 24;
        s.syncRestartIndex = 1;
        const QByteArray content = SettingsCodec::encode(s);
        QVERIFY(!content.isEmpty());
        QVERIFY(!content.contains('\n'));
        QVERIFY(!content.contains('\r'));

        const QByteArray ini = QByteArray::fromBase64(content);
        QVERIFY(ini.startsWith("[General]\n"));
        QVERIFY(!ini.contains('\r')); // LF line ends
        QVERIFY(ini.contains("0%U884C="));
        QVERIFY(ini.contains("0%U7C7B="));
        QVERIFY(ini.contains("0%U53C2=42"));
        QVERIFY(ini.contains("3%U884C=\n")); // undefined lines are stored empty

        const SettingsCodec::Decoded d = SettingsCodec::decode(content);
        QCOMPARE(d.keysFound, SettingsCodec::KeyCount);
        for (int i = 0; i < 10; ++i)
            QCOMPARE(d.settings.lines[i], s.lines[i]);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(d.settings.typeNames[i], s.typeNames[i]);
        QCOMPARE(d.settings.networkIdIndex, 42);
        QCOMPARE(d.settings.autoClearIndex, 24);
        QCOMPARE(d.settings.syncRestartIndex, 1);
    }

    void handWrittenFixture()
    {
        QFile f(QStringLiteral(TQ_SOURCE_DIR "/tests/fixtures/hand_written.b64"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const SettingsCodec::Decoded d = SettingsCodec::decode(f.readAll());
        QCOMPARE(d.keysFound, 18);
        QCOMPARE(d.settings.lines[0], QStringLiteral("ATPW+0+N+M+Welcome+SIZE:B+OK"));
        QCOMPARE(d.settings.lines[1], QStringLiteral("ATPW+1+S+M+类型:0001\r\n+SIZE:B+OK"));
        QCOMPARE(d.settings.lines[2], QStringLiteral("ATPW+2+R+L+Waiting: people+SIZE:S+OK"));
        QVERIFY(d.settings.lines[5].isEmpty());
        QCOMPARE(d.settings.lines[9], QStringLiteral("ATPW+9+N+R+Bye+SIZE:S+OK"));
        QCOMPARE(d.settings.typeNames[0], QStringLiteral("普通"));
        QCOMPARE(d.settings.typeNames[1], QStringLiteral("VIP"));
        QCOMPARE(d.settings.typeNames[4], QStringLiteral("Cash"));
        QCOMPARE(d.settings.networkIdIndex, 42);
        QCOMPARE(d.settings.autoClearIndex, 8);
        QCOMPARE(d.settings.syncRestartIndex, 1);
    }

    void notASettingsFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("plain INI") << QByteArray("[General]\n0%U884C=ATPW+0+N+L+a+SIZE:S+OK\n");
        QTest::newRow("text") << QByteArray("hello world, this is not base64 at all!");
        QByteArray noise(4096, '\0');
        QRandomGenerator rng(42);
        for (char &c : noise)
            c = char(rng.bounded(256));
        QTest::newRow("random binary") << noise;
    }
    void notASettingsFile()
    {
        QFETCH(QByteArray, content);
        const SettingsCodec::Decoded d = SettingsCodec::decode(content);
        QCOMPARE(d.keysFound, 0);
        QVERIFY(d.settings.lines[0].isEmpty());
        QCOMPARE(d.settings.networkIdIndex, 0);
    }

    void base64WithLineBreaksStillReads()
    {
        SettingsCodec::Settings s;
        s.typeNames[1] = "VIP";
        QByteArray content = SettingsCodec::encode(s);
        for (int i = 76; i < content.size(); i += 77)
            content.insert(i, '\n');
        QCOMPARE(SettingsCodec::decode(content).settings.typeNames[1], QStringLiteral("VIP"));
    }
};

QTEST_GUILESS_MAIN(tst_SettingsCodec)
#include "tst_settings_codec.moc"
