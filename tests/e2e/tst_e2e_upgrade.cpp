// Firmware transfers and pairing cycles between the main window and tqunit-sim over a real pty.
#include "E2eSupport.h"
#include "app/AppSetup.h"
#include "app/SystemDir.h"
#include "device/Pair_Mode_Handle.h"
#include "firmware/Bootloader_Handle.h"
#include "testsupport/TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

class tst_E2eUpgrade : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppSetup::initResources();
        QVERIFY(Dir.isValid());
        SystemDir::setOverride(Dir.path());
    }
    void init() { E2e::resetProcessState(); }

    void fullUpgrade_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QStringList>("simOptions");
        QTest::newRow("51200 bytes") << 51200 << QStringList{};
        QTest::newRow("1500 bytes") << 1500 << QStringList{};
        QTest::newRow("2048 bytes") << 2048 << QStringList{};
        QTest::newRow("malformed request survived") << 3000 << QStringList{"--corrupt-request"};
    }
    void fullUpgrade()
    {
        QFETCH(int, size);
        QFETCH(QStringList, simOptions);
        const QString imagePath = writeImage(size);
        const QString outPath = Dir.filePath("assembled.bin");
        QFile::remove(outPath);
        SimUnderTest sim(QStringList{"--bootloader", "--image-out", outPath} + simOptions);
        QVERIFY(sim.started());
        MainWindow w(nullptr, E2e::withPort(sim.port()));
        QVERIFY(E2e::goOnline(w, sim.port()));
        QString log;
        runUpgrade(w, imagePath, [&log](Bootloader_Handle *d) {
            return d->Info_Text.toPlainText().contains(QStringLiteral("升级完成")) ? (log = d->Info_Text.toPlainText(), true) : false;
        });
        QVERIFY2(log.contains(QStringLiteral("升级完成5s后进入主程序...")), qPrintable(log));
        QFile out(outPath);
        QVERIFY(out.open(QIODevice::ReadOnly));
        QFile in(imagePath);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), in.readAll());
    }

    void stalledUnitTimesOut()
    {
        SimUnderTest sim({"--bootloader", "--stall-after", "2"});
        QVERIFY(sim.started());
        MainWindow w(nullptr, E2e::withPort(sim.port()));
        QVERIFY(E2e::goOnline(w, sim.port()));
        bool buttonEnabled = false;
        QString log;
        runUpgrade(w, writeImage(10000), [&](Bootloader_Handle *d) {
            log = d->Info_Text.toPlainText();
            buttonEnabled = d->Update_Button->isEnabled();
            return log.contains(QStringLiteral("响应超时请重新尝试....."));
        });
        QVERIFY2(log.contains(QStringLiteral("正在发送 2\r\n package....")) || log.contains(QStringLiteral("正在发送 2\n package....")),
                 qPrintable(log));
        QVERIFY(buttonEnabled);
        QVERIFY(!log.contains(QStringLiteral("正在发送 3")));
    }

    void pairingCycles()
    {
        SimUnderTest sim({"--key-delay", "100"});
        QVERIFY(sim.started());
        MainWindow w(nullptr, E2e::withPort(sim.port()));
        QVERIFY(E2e::goOnline(w, sim.port()));
        Function_One *page = w.Ticket_Page;
        QStringList seen;
        TestSupport::answerNextModal([&seen](QWidget *m) {
            auto *d = qobject_cast<Pair_Mode_Handle *>(m);
            QTRY_COMPARE(d->Type_State[4]->text(), QStringLiteral("类型 5 : ---"));
            d->Type_Choose->setCurrentIndex(0);
            d->Set_up_Button->click();
            QTRY_COMPARE(d->State_Text->text(), QStringLiteral("类型 1 匹配成功."));
            seen << d->Type_State[0]->text() << d->pictureName();
            d->Type_Choose->setCurrentIndex(1);
            d->Set_up_Button->click();
            QTRY_COMPARE(d->pictureName(), QStringLiteral(":/Res/Pic/ADD_ERROR.png"));
            seen << d->State_Text->text();
        }, 10000);
        page->Pair_Set_Push->click();
        QCOMPARE(seen, (QStringList{"类型 1 : 1001", ":/Res/Pic/ADD_OVER.png", "此叫号器已经与类型 1 配对..."}));

        page->QC_Pair_Mode->setCurrentIndex(1);
        QString afterDelete;
        TestSupport::answerNextModal([&afterDelete](QWidget *m) {
            auto *d = qobject_cast<Pair_Mode_Handle *>(m);
            QTRY_COMPARE(d->Type_State[4]->text(), QStringLiteral("类型 5 : ---")); // every READ reply is in
            QCOMPARE(d->Type_State[0]->text(), QStringLiteral("类型 1 : 1001"));
            d->Type_Choose->setCurrentIndex(0);
            d->Set_up_Button->click();
            QTRY_COMPARE(d->State_Text->text(), QStringLiteral("类型 1 删除成功."));
            afterDelete = d->Type_State[0]->text();
        }, 10000);
        page->Pair_Set_Push->click();
        QCOMPARE(afterDelete, QStringLiteral("类型 1"));
        QCOMPARE(sim.receivedTexts().mid(1), (QStringList{"ATAW+READ+ALL+OK", "ATAW+ADD+1+OK", "ATAW+ADD+2+OK", "ATAW+READ+ALL+OK",
                                         "ATAW+Delete+1+OK"}));
    }

private:
    QString writeImage(int size)
    {
        QByteArray data(size, '\0');
        QRandomGenerator rng{quint32(size)};
        for (char &c : data)
            c = char(rng.bounded(256));
        const QString path = Dir.filePath(QStringLiteral("image-%1.bin").arg(size));
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(data);
        return path;
    }

    // Opens the firmware window, loads the image, presses update and closes the window once done.
    void runUpgrade(MainWindow &w, const QString &image, std::function<bool(Bootloader_Handle *)> done)
    {
        w.chooseFirmwareImage = [image](QWidget *) { return image; };
        bool started = false;
        TestSupport::closeModalWhen(
            [&started, done](QWidget *m) {
                auto *d = qobject_cast<Bootloader_Handle *>(m);
                if (!started) {
                    started = true;
                    d->Open_Button->click();
                    d->Update_Button->click();
                    return false;
                }
                return done(d);
            },
            {}, 20000);
        w.ui->Boot_Handl->trigger();
    }

    QTemporaryDir Dir;
};

QTEST_MAIN(tst_E2eUpgrade)
#include "tst_e2e_upgrade.moc"
