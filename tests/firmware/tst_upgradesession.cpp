#include "firmware/UpgradeSession.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
struct Seen {
    QStringList texts;
    QList<QByteArray> packages;
    QString log;
};

void watch(UpgradeSession &s, Seen &seen)
{
    QObject::connect(&s, &UpgradeSession::sendText, [&seen](const QString &t) { seen.texts << t; });
    QObject::connect(&s, &UpgradeSession::sendPackage, [&seen](const QByteArray &p) { seen.packages << p; });
    QObject::connect(&s, &UpgradeSession::logLine, [&seen](const QString &l) { seen.log += l; });
}
} // namespace

class tst_UpgradeSession : public QObject
{
    Q_OBJECT

private slots:
    void init() { UpgradeSession::Upgrade_Active = false; }

    void pressWithoutImageAsksForOne()
    {
        UpgradeSession s;
        Seen seen;
        watch(s, seen);
        s.pressUpdate();
        QCOMPARE(seen.log, QStringLiteral("请选择并打开要更新的固件.....\r\n"));
        QVERIFY(seen.texts.isEmpty());
        QVERIFY(s.isButtonEnabled());
        QVERIFY(!UpgradeSession::Upgrade_Active);
    }

    void pressStartsTheTransfer()
    {
        UpgradeSession s;
        Seen seen;
        watch(s, seen);
        s.setImage(QByteArray(1500, 'x'));
        s.pressUpdate();
        QCOMPARE(seen.texts, QStringList{"ATUP+APPSTART+OK\r\n"});
        QCOMPARE(seen.log, QStringLiteral("正在请求升级等待响应...\r\n"));
        QVERIFY(!s.isButtonEnabled());
        QVERIFY(s.isWaiting());
        QVERIFY(UpgradeSession::Upgrade_Active);
    }

    // state: "idle" (active false, button enabled), "waiting" (after the start request),
    // "closing" (after the request past the end).
    void events_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QStringList>("sentTexts");
        QTest::addColumn<int>("packageLength");
        QTest::addColumn<bool>("active");
        QTest::addColumn<bool>("button");
        QTest::addColumn<bool>("waiting");
        const QString error = "发生异常错误请重新尝试.....\r\n";
        const QString over = "升级完成5s后进入主程序...\r\n";
        const QString failed = "升级包存在异常升级失败请检查后重新尝试...\r\n";
        QTest::newRow("short text idle") << "idle" << "ATSW+V1" << error << QStringList{} << 0 << false << true << false;
        QTest::newRow("short text waiting") << "waiting" << "ATUP+1" << error << QStringList{} << 0 << false << true << false;
        QTest::newRow("timeout waiting") << "waiting" << "AT+Response_timeout+OK" << "响应超时请重新尝试.....\r\n"
                                         << QStringList{} << 0 << false << true << false;
        QTest::newRow("over idle") << "idle" << "ATUP+Upgrade_Over+OK\r\n" << over << QStringList{} << 0 << false << true << false;
        QTest::newRow("over closing") << "closing" << "ATUP+Upgrade_Over+OK\r\n" << over << QStringList{} << 0 << false << true
                                      << false;
        QTest::newRow("error waiting") << "waiting" << "ATUP+Upgrade_Error+OK\r\n" << failed << QStringList{} << 0 << false
                                       << true << false;
        QTest::newRow("request in image") << "waiting" << "ATUP+Package+1\r\n" << "正在发送 1\r\n package....\r\n"
                                          << QStringList{} << 480 << true << false << true;
        QTest::newRow("request past image") << "waiting" << "ATUP+Package+2\r\n" << "正在发送 2\r\n package....\r\n"
                                            << QStringList{"ATUP+Package_Over+OK\r\n"} << 0 << false << false << false;
        QTest::newRow("request while idle ignored") << "idle" << "ATUP+Package+0\r\n" << "" << QStringList{} << 0 << false
                                                    << true << false;
        QTest::newRow("request while closing ignored") << "closing" << "ATUP+Package+0\r\n" << "" << QStringList{} << 0
                                                       << false << false << false;
        QTest::newRow("first field not examined") << "waiting" << "XXXX+Package+0\r\n" << "正在发送 0\r\n package....\r\n"
                                                  << QStringList{} << 1028 << true << false << true;
        QTest::newRow("ATSW VB idle") << "idle" << "ATSW+VB1.0+OK\r\n" << "系统已经进入升级模式....\r\n" << QStringList{} << 0
                                      << false << true << false;
        QTest::newRow("ATSW V1.2 idle") << "idle" << "ATSW+V1.2+OK\r\n" << "系统已经进入正常模式系统版本:V1.2\r\n"
                                        << QStringList{} << 0 << false << true << false;
        QTest::newRow("ATSW during transfer abandons") << "waiting" << "ATSW+VB1.0+OK\r\n" << "" << QStringList{} << 0
                                                       << false << false << false;
        QTest::newRow("unexpected text during transfer") << "waiting" << "hello there, unit\r\n" << "" << QStringList{} << 0
                                                         << false << false << false;
        QTest::newRow("success without CR LF during transfer") << "waiting" << "ATUP+Upgrade_Over+OK" << "" << QStringList{}
                                                               << 0 << false << false << false;
        QTest::newRow("no plus at all during transfer") << "waiting" << "PACKAGE0000" << "" << QStringList{} << 0 << false
                                                        << false << false;
        QTest::newRow("unexpected text idle ignored") << "idle" << "something else\r\n" << "" << QStringList{} << 0 << false
                                                      << true << false;
    }
    void events()
    {
        QFETCH(QString, state);
        QFETCH(QString, text);
        QFETCH(QString, log);
        QFETCH(QStringList, sentTexts);
        QFETCH(int, packageLength);
        QFETCH(bool, active);
        QFETCH(bool, button);
        QFETCH(bool, waiting);
        UpgradeSession s;
        s.setImage(QByteArray(1500, 'x'));
        if (state != "idle")
            s.pressUpdate();
        if (state == "closing")
            s.handle("ATUP+Package+9\r\n");
        Seen seen;
        watch(s, seen);
        s.handle(text);
        QCOMPARE(seen.log, log);
        QCOMPARE(seen.texts, sentTexts);
        QCOMPARE(seen.packages.isEmpty() ? 0 : seen.packages.constFirst().size(), packageLength);
        QCOMPARE(UpgradeSession::Upgrade_Active, active);
        QCOMPARE(s.isButtonEnabled(), button);
        QCOMPARE(s.isWaiting(), waiting);
    }

    void numberFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("number");
        QTest::newRow("0005 CR LF") << "0005\r\n" << 5;
        QTest::newRow("abc") << "abc" << 0;
        QTest::newRow("-1") << "-1" << 65535;
        QTest::newRow("65536") << "65536" << 0;
        QTest::newRow("65537") << "65537" << 1;
        QTest::newRow("missing") << "" << 0;
        QTest::newRow("spaces") << "  7  " << 7;
        QTest::newRow("huge") << "99999999999999999999999" << 0;
    }
    void numberFields()
    {
        QFETCH(QString, field);
        QFETCH(int, number);
        QCOMPARE(int(UpgradeSession::packageNumber(field)), number);
    }

    void numberFieldShownAsReceived()
    {
        UpgradeSession s;
        s.setImage(QByteArray(51200, 'x'));
        s.pressUpdate();
        Seen seen;
        watch(s, seen);
        s.handle("ATUP+Package+0005\r\n");
        QCOMPARE(seen.log, QStringLiteral("正在发送 0005\r\n package....\r\n"));
        QCOMPARE(seen.packages.size(), 1);
        s.handle("ATUP+Package+-1\r\n");
        QCOMPARE(seen.texts, QStringList{"ATUP+Package_Over+OK\r\n"});
    }

    void silentUnitTimesOut()
    {
        UpgradeSession s;
        Seen seen;
        watch(s, seen);
        s.setImage(QByteArray(10, 'x'));
        s.pressUpdate();
        QTRY_VERIFY_WITH_TIMEOUT(s.isButtonEnabled(), 3000);
        QVERIFY(seen.log.endsWith(QStringLiteral("响应超时请重新尝试.....\r\n")));
        QVERIFY(!UpgradeSession::Upgrade_Active);
    }

    void activeFlagOutlivesTheSession()
    {
        {
            UpgradeSession s;
            s.setImage(QByteArray(10, 'x'));
            s.pressUpdate();
        }
        QVERIFY(UpgradeSession::Upgrade_Active);
        UpgradeSession next;
        QVERIFY(next.isButtonEnabled());
        Seen seen;
        watch(next, seen);
        next.handle("ATUP+Package+0\r\n"); // read as a request, as the flag says
        QCOMPARE(seen.packages.size(), 1);
        QCOMPARE(seen.packages.constFirst(), QByteArray::fromHex("000001B0")); // no image: the empty package
    }
};

QTEST_GUILESS_MAIN(tst_UpgradeSession)
#include "tst_upgradesession.moc"
