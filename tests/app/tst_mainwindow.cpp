#include "app/AppSetup.h"
#include "app/Language.h"
#include "app/MainWindow.h"
#include "app/SystemDir.h"
#include "device/Function_One.h"
#include "serial/Gbk.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTranslator>
#include <QtTest>

class tst_MainWindow : public QObject
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
        SystemDir::setOverride(Dir.path());
        QFile::remove(Dir.filePath("Update log.ini"));
        Set_Language_Code(Language_Chinese);
        Function_One::COM_Count = 0;
    }
    void cleanup()
    {
        if (Translator) {
            qApp->removeTranslator(Translator);
            delete Translator;
            Translator = nullptr;
        }
    }

    void tabsPerLanguage_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("Chinese") << 0 << QStringList{"小票内容设置", "版本更新说明", "帮助"};
        QTest::newRow("English") << 1 << QStringList{"Ticket setting", "Help"};
        QTest::newRow("Polish") << 2 << QStringList{"Ustawienia biletu", "Pomoc"};
    }
    void tabsPerLanguage()
    {
        QFETCH(int, code);
        QFETCH(QStringList, titles);
        Set_Language_Code(uint8_t(code));
        Translator = new QTranslator;
        AppSetup::installCatalogue(*static_cast<QApplication *>(qApp), *Translator, code);
        MainWindow w;
        QStringList shown;
        for (int i = 0; i < w.tabWidget->count(); ++i)
            shown << w.tabWidget->tabText(i);
        QCOMPARE(shown, titles);
        QCOMPARE(w.windowTitle(), QStringLiteral("Manage TQ-8M V1.0.7"));
        QCOMPARE(w.Update_Log_View != nullptr, code == 0);
    }

    void titleSizeAndFlags()
    {
        MainWindow w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Manage TQ-8M V1.0.7"));
        QCOMPARE(w.size(), QSize(1000, 650));
        QCOMPARE(w.minimumSize(), QSize(1000, 650));
        QCOMPARE(w.maximumSize(), QSize(1000, 650));
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(w.tabWidget->geometry(), QRect(0, 40, 1000, 610));
        QCOMPARE(w.tabWidget->widget(0), static_cast<QWidget *>(w.Ticket_Page));
    }

    void menuEntries()
    {
        MainWindow w;
        QStringList entries;
        for (QAction *a : w.ui->menu->actions())
            entries << (a->isSeparator() ? QStringLiteral("|") : a->menu() ? a->menu()->objectName() : a->objectName());
        QCOMPARE(entries, (QStringList{"|", "Open_file", "Save_file", "Save_as_file", "Boot_Handl", "menu_Language", "|",
                                       "Help", "about", "Updater"}));
        QStringList languages;
        for (QAction *a : w.ui->menu_Language->actions())
            languages << a->text();
        QCOMPARE(languages, (QStringList{"中文", "English", "Polish"}));
        QCOMPARE(w.ui->menu->title(), QStringLiteral("          中文         "));
        QCOMPARE(w.ui->menuBar->actions().size(), 1);
    }

    void shortcuts_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("open") << "Open_file" << "F1" << "  打开";
        QTest::newRow("save") << "Save_file" << "Ctrl+S" << "  保存";
        QTest::newRow("save as") << "Save_as_file" << "F3" << "  另存";
        QTest::newRow("firmware") << "Boot_Handl" << "Ctrl+F" << "  固件";
        QTest::newRow("help") << "Help" << "F11" << "  帮助";
        QTest::newRow("about") << "about" << "F12" << "  关于";
        QTest::newRow("update") << "Updater" << "Ctrl+U" << "  更新";
        QTest::newRow("chinese") << "actionChinese" << "" << "中文";
        QTest::newRow("english") << "actionEnglish" << "" << "English";
        QTest::newRow("polish") << "actionPolish" << "" << "Polish";
    }
    void shortcuts()
    {
        QFETCH(QString, action);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        MainWindow w;
        auto *a = w.findChild<QAction *>(action);
        QVERIFY(a);
        QCOMPARE(a->shortcut().toString(QKeySequence::PortableText), keys);
        QCOMPARE(a->text(), text);
    }

    void updateLogShownDecodedFromGbk()
    {
        QFile log(Dir.filePath("Update log.ini"));
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write(Gbk::encode(QStringLiteral("<b>版本 1.0.7</b> 新增串口")));
        log.close();
        MainWindow w;
        QCOMPARE(w.Update_Log_View->toPlainText(), QStringLiteral("版本 1.0.7 新增串口"));
    }

    void updateLogMissing()
    {
        MainWindow w;
        QCOMPARE(w.Update_Log_View->toPlainText(), QStringLiteral("文件损坏....."));
        QCOMPARE(w.Update_Log_View->geometry(), QRect(0, 0, 1000, 570));
    }

    void helpPage()
    {
        MainWindow w;
        auto *picture = w.Help_Page->findChild<QPushButton *>("Help_Picture");
        QVERIFY(picture);
        QCOMPARE(picture->toolTip(), QStringLiteral("点我^.^打开视频教程"));
        QCOMPARE(picture->geometry(), QRect(0, 0, 1000, 610));
        QVERIFY(!picture->icon().isNull());
    }

    void commandLinePortsListedFirst()
    {
        StartOptions o;
        o.ports = QStringList{"/tmp/ttyV0"};
        o.simulatorPort = "/dev/pts/77";
        MainWindow w(nullptr, o);
        QComboBox *box = w.Ticket_Page->QC_COM_Choose;
        QVERIFY(box->count() >= 2);
        QCOMPARE(box->itemText(0), QStringLiteral("Simulator/dev/pts/77"));
        QCOMPARE(box->itemData(0).toString(), QStringLiteral("/dev/pts/77"));
        QCOMPARE(box->itemText(1), QStringLiteral("/tmp/ttyV0"));
        QCOMPARE(box->currentIndex(), 0);
    }

    void everyPictureIsInTheResources_data()
    {
        QTest::addColumn<QString>("path");
        for (const char *name :
             {"Open_Flie.png", "Save_File.png", "about.png", "Help_Book.png", "Help_Book2.png", "Save_as_a.png",
              "Save_as_b.png", "Fir_up_a.png", "Fir_up_b.png", "YOU_Up_a.png", "YOU_Up_b.png", "Translate_A.png",
              "Translate_B.png", "drop-down.png", "Help.jpg", "Warning.png", "Disconnect.png", "ban.png", "damage.png",
              "Language.png", "about3.png", "add_Q.png", "add_B.png", "add.png", "Write1_A.png", "Write1_B.png",
              "add_sta.png", "Delete_sta.png", "Hold_down.png", "ADD_OVER.png", "ADD_ERROR.png", "Select_F_A.png",
              "Select_F_A_F.png", "Select_F_B.png", "Select_F_B_F.png"})
            QTest::newRow(name) << QStringLiteral(":/Res/Pic/") + QLatin1String(name);
        QTest::newRow("English catalogue") << QStringLiteral(":/Res/LANG_English.qm");
        QTest::newRow("Polish catalogue") << QStringLiteral(":/Res/LANG_Poland.qm");
    }
    void everyPictureIsInTheResources()
    {
        QFETCH(QString, path);
        QVERIFY(QFile::exists(path));
        if (path.contains("/Pic/"))
            QVERIFY(!QPixmap(path).isNull());
    }

private:
    QTemporaryDir Dir;
    QTranslator *Translator = nullptr;
};

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
