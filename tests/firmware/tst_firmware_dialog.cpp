#include "app/AppSetup.h"
#include "app/Language.h"
#include "firmware/Bootloader_Handle.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class tst_FirmwareDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppSetup::initResources();
        QVERIFY(Dir.isValid());
    }
    void init()
    {
        Set_Language_Code(Language_Chinese);
        UpgradeSession::Upgrade_Active = false;
    }

    void startsWithHintOnly()
    {
        Bootloader_Handle d(nullptr);
        QCOMPARE(d.Info_Text.toPlainText(), QStringLiteral("请确认是否已经连接设备,并且已经进入升级模式...\n"));
        QCOMPARE(d.APP_Size(), 0u);
        QVERIFY(d.Update_Button->isEnabled());
        QCOMPARE(d.Update_Button->text(), QStringLiteral("更新固件"));
        QCOMPARE(d.Open_Button->text(), QStringLiteral("打开固件"));
    }

    void loading_data()
    {
        QTest::addColumn<int>("size"); // -1: a path that cannot be read
        QTest::addColumn<int>("loaded");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("51200 bytes") << 51200 << 51200 << "固件加载完成: 51200 Byte";
        QTest::newRow("51201 bytes") << 51201 << 100 << "固件文件超过51200字节,未加载: 51201 Byte";
        QTest::newRow("0 bytes") << 0 << 0 << "固件加载完成: 0 Byte";
        QTest::newRow("unreadable") << -1 << 100 << "固件文件无法读取,未加载.....";
    }
    void loading()
    {
        QFETCH(int, size);
        QFETCH(int, loaded);
        QFETCH(QString, lastLine);
        Bootloader_Handle d(nullptr);
        d.chooseImage = [this](QWidget *) { return makeFile("first.bin", 100); };
        d.Open_Button->click();
        QCOMPARE(d.APP_Size(), 100u);
        const QString second = size < 0 ? Dir.path() + "/no-such-dir/x.bin" : makeFile("second.bin", size);
        d.chooseImage = [second](QWidget *) { return second; };
        d.Open_Button->click();
        QCOMPARE(int(d.APP_Size()), loaded);
        const QStringList lines = d.Info_Text.toPlainText().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.last(), lastLine);
        QCOMPARE(lines.at(lines.size() - 2).trimmed(), second);
    }

    void cancelKeepsImage()
    {
        Bootloader_Handle d(nullptr);
        d.chooseImage = [this](QWidget *) { return makeFile("keep.bin", 300); };
        d.Open_Button->click();
        d.chooseImage = [](QWidget *) { return QString(); };
        d.Open_Button->click();
        QCOMPARE(d.APP_Size(), 300u);
    }

    void emptyImageStillAsksForOne()
    {
        Bootloader_Handle d(nullptr);
        d.chooseImage = [this](QWidget *) { return makeFile("empty.bin", 0); };
        d.Open_Button->click();
        QSignalSpy sent(&d, &Bootloader_Handle::USART_Bootloader_COM);
        d.Update_Button->click();
        QVERIFY(d.Info_Text.toPlainText().endsWith(QStringLiteral("请选择并打开要更新的固件.....\n")));
        QCOMPARE(sent.count(), 0);
        QVERIFY(d.Update_Button->isEnabled());
    }

    void closedPortTimesOutAndFreesButton()
    {
        Bootloader_Handle d(nullptr);
        d.chooseImage = [this](QWidget *) { return makeFile("t.bin", 10); };
        d.Open_Button->click();
        QSignalSpy sent(&d, &Bootloader_Handle::USART_Bootloader_COM);
        d.Update_Button->click();
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.at(0).at(0).toString(), QStringLiteral("ATUP+APPSTART+OK\r\n"));
        QVERIFY(!d.Update_Button->isEnabled());
        QVERIFY(d.Info_Text.toPlainText().contains(QStringLiteral("正在请求升级等待响应...")));
        QTRY_VERIFY_WITH_TIMEOUT(d.Update_Button->isEnabled(), 3000);
        QVERIFY(d.Info_Text.toPlainText().endsWith(QStringLiteral("响应超时请重新尝试.....\n")));
    }

private:
    QString makeFile(const QString &name, int size)
    {
        const QString path = Dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(QByteArray(size, 'F'));
        return path;
    }
    QTemporaryDir Dir;
};

QTEST_MAIN(tst_FirmwareDialog)
#include "tst_firmware_dialog.moc"
