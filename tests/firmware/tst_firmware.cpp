// Firmware packages with their CRC, the transfer the unit drives, image files and the update window.
#include "app/AppSetup.h"
#include "ticket/Language.h"
#include "device/Bootloader_Handle.h"
#include "firmware/CRC16_Handle.h"
#include "firmware/UpgradeSession.h"
#include "testsupport/TestSupport.h"

#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Bit by bit, straight from the definition, to check the table form against.
uint16_t referenceCrc(const QByteArray &bytes)
{
    uint16_t crc = 0xFFFF;
    for (const char b : bytes) {
        crc ^= uint8_t(b);
        for (int i = 0; i < 8; ++i)
            crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
    }
    return crc;
}

QByteArray image(int size)
{
    QByteArray data(size, '\0');
    for (int i = 0; i < size; ++i)
        data[i] = char((i * 7 + 3) & 0xFF);
    return data;
}

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

class tst_Firmware : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppSetup::initResources();
        QVERIFY(Dir.isValid());
    }
    void init() { Set_Language_Code(Language_Chinese); }

    void crcCheckValue() // the catalogue's check value of CRC-16/MODBUS
    {
        QCOMPARE(CRC16_Handle().crc(reinterpret_cast<const uint8_t *>("123456789"), 9), uint16_t(0x4B37));
    }

    void packages_data()
    {
        QTest::addColumn<int>("imageSize");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("abc") << 3 << 0 << 7 << QByteArray::fromHex("0003030A11");
        QTest::newRow("1023: 0 one byte short") << 1023 << 0 << 1027 << QByteArray::fromHex("03FF");
        QTest::newRow("1025: 1 holds one byte") << 1025 << 1 << 5 << QByteArray::fromHex("0001");
        QTest::newRow("1500: 0") << 1500 << 0 << 1028 << QByteArray::fromHex("0400");
        QTest::newRow("1500: 1") << 1500 << 1 << 480 << QByteArray::fromHex("01DC");
        QTest::newRow("1500: 2 is past the end") << 1500 << 2 << 0 << QByteArray();
        QTest::newRow("2048: 2 is empty") << 2048 << 2 << 4 << QByteArray::fromHex("000001B0");
        QTest::newRow("2048: 3 is past the end") << 2048 << 3 << 0 << QByteArray();
        QTest::newRow("51200: 49") << 51200 << 49 << 1028 << QByteArray::fromHex("0400");
        QTest::newRow("51200: 65535 past") << 51200 << 65535 << 0 << QByteArray();
    }
    void packages()
    {
        QFETCH(int, imageSize);
        QFETCH(int, number);
        QFETCH(int, length);
        QFETCH(QByteArray, head);
        const QByteArray app = image(imageSize);
        uint8_t out[1050] = {};
        const uint16_t n = CRC16_Handle().Build_Package(reinterpret_cast<const uint8_t *>(app.constData()),
                                                        uint32_t(app.size()), uint16_t(number), out);
        const QByteArray p(reinterpret_cast<const char *>(out), n);
        QCOMPARE(p.size(), length);
        QVERIFY(p.startsWith(head));
        if (length > 0) {
            QCOMPARE(p.mid(2, length - 4), app.mid(number * 1024, length - 4));
            const uint16_t value = referenceCrc(p.left(length - 2));
            QCOMPARE(p.right(2), QByteArray().append(char(value & 0xFF)).append(char(value >> 8))); // low byte first
        }
    }

    // state: "idle" (nothing running, button enabled), "waiting" (after the start request),
    // "closing" (after the request past the end), "sent N" (waiting, packages 0 to N-1 answered),
    // "asked N times" (waiting, package 0 asked for N times), "abandoned" (an unexpected text ended
    // the transfer); after: which of active, button hold then.
    void events_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<int>("packageLength");
        QTest::addColumn<QString>("after");
        const QString error = "发生异常错误请重新尝试.....\r\n";
        const QString over = "升级完成5s后进入主程序...\r\n";
        const QString sending = "正在发送 %1 package....\r\n"; // one line, though the number came with CR LF
        QTest::newRow("9 characters idle") << "idle" << "ATSW+V1.2" << error << "" << 0 << "button";
        QTest::newRow("10 characters idle are read") << "idle" << "ATSW+V1.23" << "系统已经进入正常模式系统版本:V1.23\r\n" << ""
                                                    << 0 << "button";
        QTest::newRow("9 characters waiting") << "waiting" << "ATUP+1234" << error << "" << 0 << "button";
        QTest::newRow("timeout waiting") << "waiting" << "AT+Response_timeout+OK" << "响应超时请重新尝试.....\r\n" << "" << 0
                                         << "button";
        QTest::newRow("over idle") << "idle" << "ATUP+Upgrade_Over+OK\r\n" << over << "" << 0 << "button";
        QTest::newRow("over closing") << "closing" << "ATUP+Upgrade_Over+OK\r\n" << over << "" << 0 << "button";
        QTest::newRow("error waiting") << "waiting" << "ATUP+Upgrade_Error+OK\r\n" << "升级包存在异常升级失败请检查后重新尝试...\r\n"
                                       << "" << 0 << "button";
        QTest::newRow("request in image") << "waiting" << "ATUP+Package+1\r\n" << sending.arg(1) << "" << 480 << "active";
        QTest::newRow("number 0005 as received") << "waiting" << "ATUP+Package+0005\r\n" << sending.arg("0005")
                                                 << "ATUP+Package_Over+OK\r\n" << 0 << "";
        QTest::newRow("request past image") << "waiting" << "ATUP+Package+2\r\n" << sending.arg(2) << "ATUP+Package_Over+OK\r\n"
                                            << 0 << "";
        QTest::newRow("request while idle ignored") << "idle" << "ATUP+Package+0\r\n" << "" << "" << 0 << "button";
        QTest::newRow("request while closing ignored") << "closing" << "ATUP+Package+0\r\n" << "" << "" << 0 << "";
        QTest::newRow("first field not examined") << "waiting" << "XXXX+Package+0\r\n" << sending.arg(0) << "" << 1028
                                                  << "active";
        QTest::newRow("ATSW VB idle") << "idle" << "ATSW+VB1.0+OK\r\n" << "系统已经进入升级模式....\r\n" << "" << 0 << "button";
        QTest::newRow("ATSW during transfer abandons") << "waiting" << "ATSW+VB1.0+OK\r\n" << "" << "" << 0 << "";
        QTest::newRow("success without CR LF during transfer") << "waiting" << "ATUP+Upgrade_Over+OK" << "" << "" << 0 << "";
        QTest::newRow("no plus at all during transfer") << "waiting" << "PACKAGE0000" << "" << "" << 0 << "";
        QTest::newRow("other text idle ignored") << "idle" << "something else\r\n" << "" << "" << 0 << "button";
        // A unit may not end a transfer it was not given, nor keep one going for ever.
        const QString early = "管理机在收到全部固件之前报告升级完成 (已发送 %1/2 包): 升级没有完成, 请重新尝试.....\r\n";
        QTest::newRow("over before any package") << "waiting" << "ATUP+Upgrade_Over+OK\r\n" << early.arg(0) << "" << 0 << "button";
        QTest::newRow("over after one of two") << "sent 1" << "ATUP+Upgrade_Over+OK\r\n" << early.arg(1) << "" << 0 << "button";
        QTest::newRow("over after an abandoned transfer") << "abandoned" << "ATUP+Upgrade_Over+OK\r\n" << early.arg(0) << ""
                                                          << 0 << "button";
        QTest::newRow("over once every package went") << "sent 2" << "ATUP+Upgrade_Over+OK\r\n" << over << "" << 0 << "button";
        QTest::newRow("the 14th request of 2 packages") << "asked 13 times" << "ATUP+Package+1\r\n" << sending.arg(1) << ""
                                                        << 480 << "active";
        QTest::newRow("the 15th request of 2 packages") << "asked 14 times" << "ATUP+Package+1\r\n"
                                                        << "管理机请求了 15 个包, 而固件只有 2 个包: 升级已停止, 请检查后重新尝试.....\r\n"
                                                        << "" << 0 << "button";
    }
    void events()
    {
        QFETCH(QString, state);
        QFETCH(QString, text);
        QFETCH(QString, log);
        QFETCH(QString, sent);
        QFETCH(int, packageLength);
        QFETCH(QString, after);
        UpgradeSession s;
        s.setImage(QByteArray(1500, 'x'));
        if (state != "idle")
            s.pressUpdate();
        if (state == "closing")
            s.handle("ATUP+Package+9\r\n");
        if (state == "abandoned")
            s.handle("ATSW+VB1.0+OK\r\n");
        for (int i = 0; state.startsWith("sent") && i < state.mid(5).toInt(); ++i)
            s.handle(QStringLiteral("ATUP+Package+%1\r\n").arg(i));
        for (int i = 0; state.startsWith("asked") && i < state.section(' ', 1, 1).toInt(); ++i)
            s.handle("ATUP+Package+0\r\n");
        Seen seen;
        watch(s, seen);
        s.handle(text);
        QCOMPARE(seen.log, log);
        QCOMPARE(seen.texts.join(QString()), sent);
        QCOMPARE(seen.packages.isEmpty() ? 0 : seen.packages.constFirst().size(), packageLength);
        const QStringList flags{s.isActive() ? "active" : "", s.isButtonEnabled() ? "button" : ""};
        QCOMPARE(flags.join(' ').simplified(), after);
        if (s.isActive()) // an answered request waits for the next one only so long
            QTRY_VERIFY_WITH_TIMEOUT(seen.log.endsWith(QStringLiteral("响应超时请重新尝试.....\r\n")), 5000);
    }

    void packageNumbers_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("number");
        QTest::newRow("0005 CR LF") << "0005\r\n" << 5;
        QTest::newRow("abc") << "abc" << 0;
        QTest::newRow("-1") << "-1" << 65535;
        QTest::newRow("65537") << "65537" << 1;
        QTest::newRow("spaces") << "  7  " << 7;
        QTest::newRow("huge") << "99999999999999999999999" << 0;
    }
    void packageNumbers()
    {
        QFETCH(QString, field);
        QFETCH(int, number);
        QCOMPARE(int(UpgradeSession::packageNumber(field)), number);
    }

    void progressFigures() // packages per image (a full last slice adds an empty one), time left at the pace so far
    {
        QCOMPARE(UpgradeSession::packageCount(0), 1);
        QCOMPARE(UpgradeSession::packageCount(1500), 2);
        QCOMPARE(UpgradeSession::packageCount(2048), 3);
        QCOMPARE(UpgradeSession::packageCount(51200), 51);
        QCOMPARE(UpgradeSession::secondsLeft(0, 0, 51), -1);
        QCOMPARE(UpgradeSession::secondsLeft(1000, 0, 51), -1); // no package yet: no pace, and no division by it
        QCOMPARE(UpgradeSession::secondsLeft(0, 5, 51), -1);    // the clock not yet moved
        QCOMPARE(UpgradeSession::secondsLeft(10000, 10, 50), 40);
        QCOMPARE(UpgradeSession::secondsLeft(1001, 1, 2), 2); // rounded up
        QCOMPARE(UpgradeSession::secondsLeft(5000, 50, 50), 0);
    }

    void dialogLoadsImages_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("loaded");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("51199 bytes") << makeFile("under.bin", 51199) << 51199 << "固件加载完成: 51199 Byte";
        QTest::newRow("51200 bytes") << makeFile("second.bin", 51200) << 51200 << "固件加载完成: 51200 Byte";
        QTest::newRow("51201 bytes") << makeFile("large.bin", 51201) << 100 << "固件文件超过51200字节,未加载: 51201 Byte";
        QTest::newRow("missing") << Dir.path() + "/no-such-dir/x.bin" << 100 << "没有找到此文件";
        QTest::newRow("a folder") << Dir.path() << 100 << "这是一个文件夹, 不是文件";
#ifdef Q_OS_LINUX
        QTest::newRow("size differs from the bytes read") << "/proc/self/status" << 100 << "文件无法读取 (没有权限或读取出错)";
        QTest::newRow("a device") << "/dev/zero" << 100 << "这不是普通文件 (设备或管道), 不能读取";
        QTest::newRow("a FIFO") << makeFifo("image.fifo") << 100 << "这不是普通文件 (设备或管道), 不能读取";
#endif
        QTest::newRow("0 bytes") << makeFile("empty.bin", 0) << 0 << "固件加载完成: 0 Byte";
        QTest::newRow("cancelled") << "" << 100 << "固件加载完成: 100 Byte";
    }
    void dialogLoadsImages()
    {
        QFETCH(QString, second);
        QFETCH(int, loaded);
        QFETCH(QString, lastLine);
        Bootloader_Handle d(nullptr);
        QCOMPARE(d.Info_Text.toPlainText(), QStringLiteral("请确认是否已经连接设备,并且已经进入升级模式...\n"));
        QCOMPARE(d.APP_Size(), 0u);
        d.chooseImage = [this](QWidget *) { return makeFile("first.bin", 100); };
        d.Open_Button->click();
        d.chooseImage = [second](QWidget *) { return second; };
        d.Open_Button->click();
        QCOMPARE(int(d.APP_Size()), loaded);
        QCOMPARE(d.Info_Text.toPlainText().split('\n', Qt::SkipEmptyParts).last(), lastLine);
    }

    // The window's own file dialog: only a file taken with Enter comes back, never one left behind by Escape.
    void imageFileFromTheDialog_data()
    {
        QTest::addColumn<bool>("choose");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("taken");
        QTest::newRow("a file, Enter") << true << int(Qt::Key_Return) << true;
        QTest::newRow("a file, Escape") << true << int(Qt::Key_Escape) << false;
        QTest::newRow("nothing, Escape") << false << int(Qt::Key_Escape) << false;
    }
    void imageFileFromTheDialog()
    {
        QFETCH(bool, choose);
        QFETCH(int, key);
        QFETCH(bool, taken);
        const QString file = makeFile("pick.bin", 10);
        Bootloader_Handle d(nullptr);
        bool answered = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            if (choose)
                dialog->selectFile(file);
            QWidget *focus = QApplication::focusWidget();
            QTest::keyClick(focus && dialog->isAncestorOf(focus) ? focus : dialog, Qt::Key(key));
            answered = true;
        });
        const QString chosen = d.chooseImage(&d);
        QVERIFY(answered);
        QCOMPARE(chosen, taken ? QFileInfo(file).absoluteFilePath() : QString());
    }

    // While a transfer runs the unit is fed only from the image it started with; closing the window ends it.
    void dialogDuringATransfer()
    {
        Bootloader_Handle d(nullptr);
        QSignalSpy sent(&d, &Bootloader_Handle::USART_Bootloader_COM);
        QList<QByteArray> packages;
        connect(&d, &Bootloader_Handle::USART_Bootloader_signals,
                [&packages](uint8_t *bytes, uint32_t n) { packages << QByteArray(reinterpret_cast<char *>(bytes), int(n)); });
        d.Update_Button->click(); // no image: only the hint
        QVERIFY(d.Info_Text.toPlainText().endsWith(QStringLiteral("请选择并打开要更新的固件.....\n")));
        QCOMPARE(sent.count(), 0);
        d.chooseImage = [this](QWidget *) { return makeFile("t.bin", 2000); };
        d.Open_Button->click();
        d.upgradeObstacle = [] { return QStringLiteral("不能通过此连接升级固件"); }; // a telnet server on socket://
        d.Update_Button->click();
        QVERIFY(d.Info_Text.toPlainText().endsWith(QStringLiteral("不能通过此连接升级固件\n")));
        QCOMPARE(sent.count(), 0);
        d.upgradeObstacle = nullptr;
        d.Update_Button->click();
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.at(0).at(0).toString(), QStringLiteral("ATUP+APPSTART+OK\r\n"));
        QVERIFY(d.Info_Text.toPlainText().endsWith(QStringLiteral("正在请求升级等待响应...\n")));
        QVERIFY(!d.Update_Button->isEnabled()); // until the unit answers, or 3 s pass (end to end)
        d.chooseImage = [](QWidget *) { return QStringLiteral("/never/asked"); };
        d.Open_Button->click(); // refused
        QVERIFY(d.Info_Text.toPlainText().endsWith(QStringLiteral("固件正在传输,不能更换固件.....\n")));
        QVERIFY(!d.Session.setImage(QByteArray(100, 'z')));
        d.USART_Update_APP_Handle("ATUP+Package+0\r\n");
        QCOMPARE(d.Progress->maximum(), 2);
        QCOMPARE(d.Progress->value(), 1);
        QCOMPARE(d.Progress->format(), QStringLiteral("已发送 1/2 包"));
        d.USART_Update_APP_Handle("ATUP+Package+1\r\n");
        QCOMPARE(packages.value(1).mid(2), QByteArray(976, 'F') + packages.value(1).right(2));
        QCOMPARE(d.Progress->format(), QStringLiteral("已发送 2/2 包"));
        QVERIFY(d.Time_Left->text().isEmpty()); // nothing left to wait for
        d.reject();
        QVERIFY(!d.Session.isActive() && d.Update_Button->isEnabled());
        QTest::qWait(UpgradeSession::ResponseTimeoutMs + 300); // and no response timer runs on
        QVERIFY(!d.Info_Text.toPlainText().contains(QStringLiteral("响应超时")));
        d.USART_Update_APP_Handle("ATUP+Package+0\r\n"); // the unit still asking is not answered
        QCOMPARE(packages.size(), 2);
        QVERIFY(d.Session.setImage(QByteArray(100, 'z')));
    }

private:
    QString makeFile(const QString &name, int size)
    {
        const QString path = Dir.filePath(name);
        TestSupport::writeFile(path, QByteArray(size, 'F'));
        return path;
    }
    QString makeFifo(const QString &name)
    {
        const QString path = Dir.filePath(name);
        QProcess::execute(QStringLiteral("mkfifo"), {path});
        return path;
    }
    QTemporaryDir Dir;
};

QTEST_MAIN(tst_Firmware)
#include "tst_firmware.moc"
