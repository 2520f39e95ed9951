// The application shell: language lookup, command line, main window, menu commands and the
// desktop hooks.
#include "app/AppSetup.h"
#include "app/DeferredIconEngine.h"
#include "ticket/Language.h"
#include "app/MainWindow.h"
#include "app/StartOptions.h"
#include "ticket/SystemDir.h"
#include "device/Function_One.h"
#include "ticket/Gbk.h"
#include "testsupport/PageState.h"
#include "testsupport/TestSupport.h"
#include "ticket/SettingsCodec.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTranslator>
#include <QtTest>

namespace {
using TestSupport::contentOf;
using TestSupport::writeFile;
using TestSupport::part;
using TestSupport::typeName;

QString spaces(int n)
{
    return QString(n, QLatin1Char(' '));
}

// What the window asked of the desktop.
struct Recorded {
    QList<QUrl> opened;
    QList<QStringList> restarts;
    QList<int> exits;
};

void fake(MainWindow &w, Recorded &r)
{
    w.desktop.openUrl = [&r](const QUrl &url) {
        r.opened << url;
        return !url.path().endsWith("unopenable.html"); // as on a PC where no program takes this file
    };
    w.desktop.startDetached = [&r](const QString &, const QStringList &args) {
        r.restarts << args;
        return true;
    };
    w.desktop.exitApplication = [&r](int code) { r.exits << code; };
}
} // namespace

class tst_App : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { AppSetup::initResources(); }
    void init()
    {
        Dir.reset(new QTemporaryDir);
        SystemDir::setOverride(Dir->path());
        Set_Language_Code(Language_Chinese);
    }
    void cleanup()
    {
        if (Translator) {
            qApp->removeTranslator(Translator);
            delete Translator;
            Translator = nullptr;
        }
    }

    void storedLanguage_data()
    {
        QTest::addColumn<QByteArray>("content"); // "-" for no file
        QTest::addColumn<int>("code");
        QTest::newRow("no file") << QByteArray("-") << 0;
        QTest::newRow("English") << QByteArray("[General]\nLanguage=English\n") << 1;
        QTest::newRow("Poland") << QByteArray("[General]\nLanguage=Poland\n") << 2;
        QTest::newRow("english lower case") << QByteArray("[General]\nLanguage=english\n") << 0;
        QTest::newRow("Polish is not Poland") << QByteArray("[General]\nLanguage=Polish\n") << 0;
        QTest::newRow("in another group") << QByteArray("[Lang]\nLanguage=English\n") << 0;
        QTest::newRow("binary rubbish") << QByteArray("\x01\xff\xfe=\x00zz", 7) << 0;
    }
    void storedLanguage()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, code);
        if (content != "-")
            QVERIFY(writeFile(Dir->filePath("Language.ini"), content));
        QCOMPARE(int(Read_Language(true)), code);
        QVERIFY(writeFile(Dir->filePath("Language.ini"), "[General]\nLanguage=Poland\n"));
        QCOMPARE(int(Read_Language(false)), code); // a change counts only from the next start
    }

    // Folders are made beside this test program: "System" (portable) or ../share/tqmanage/System (installed).
    void systemFolders_data()
    {
        QTest::addColumn<QString>("made");
        QTest::addColumn<QString>("shipped"); // relative to the program's folder; "config" for the user's folder
        QTest::addColumn<QString>("own");
        QTest::newRow("nothing found: the folder beside") << "" << "System" << "System";
        QTest::newRow("portable") << "System" << "System" << "System";
        QTest::newRow("installed") << "../share/tqmanage/System" << "../share/tqmanage/System" << "config";
    }
    void systemFolders()
    {
        QFETCH(QString, made);
        QFETCH(QString, shipped);
        QFETCH(QString, own);
        SystemDir::setOverride(QString());
        QStandardPaths::setTestModeEnabled(true);
        const QDir program(QCoreApplication::applicationDirPath());
        const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        const auto resolve = [&](const QString &dir) { return dir == "config" ? config : QDir::cleanPath(program.filePath(dir)); };
        QVERIFY(made.isEmpty() || program.mkpath(made));
        QFile::remove(config + "/Language.ini");
        QCOMPARE(SystemDir::shippedPath("Update log.ini"), resolve(shipped) + "/Update log.ini");
        QCOMPARE(SystemDir::userPath("Language.ini"), resolve(own) + "/Language.ini");
        QCOMPARE(SystemDir::readPath("Language.ini"), resolve(shipped) + "/Language.ini");
        if (own == "config") { // a file the user wrote is read from the user's folder
            QDir().mkpath(config);
            QVERIFY(writeFile(QDir(config).filePath("Language.ini"), "[General]\nLanguage=English\n"));
            QCOMPARE(SystemDir::readPath("Language.ini"), config + "/Language.ini");
            QCOMPARE(int(Read_Language(true)), 1);
            QVERIFY(SystemDir::describe().startsWith("installed layout"));
        }
        QVERIFY(made.isEmpty() || QDir(program.filePath(made.section('/', 0, made.startsWith("..") ? 1 : 0))).removeRecursively());
        QDir(config).removeRecursively();
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("message"); // start of it
        using O = StartOptions::Outcome;
        QTest::newRow("nothing") << QStringList{} << int(O::Run) << "";
        QTest::newRow("help") << QStringList{"--help"} << int(O::Help) << "Usage: ";
        QTest::newRow("version") << QStringList{"--version"} << int(O::Version) << "tqmanage V1.0.7";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << int(O::Error) << "Unknown option 'frobnicate'.";
        QTest::newRow("a settings file") << QStringList{"file.ini"} << int(O::Run) << "";
        QTest::newRow("two settings files") << QStringList{"a.ini", "b.ini"} << int(O::Error)
                                            << "Only one settings file can be opened, not \"b.ini\"";
        QTest::newRow("port without path") << QStringList{"--port"} << int(O::Error) << "Missing value after '--port'.";
        QTest::newRow("bad delay") << QStringList{"--screenshot-delay", "soon"} << int(O::Error) << "--screenshot-delay needs";
        QTest::newRow("negative delay") << QStringList{"--screenshot-delay", "-5"} << int(O::Error) << "--screenshot-delay needs";
        QTest::newRow("simulate with connect") << QStringList{"--simulate", "--connect", "/dev/ttyS0"} << int(O::Error)
                                               << "--simulate and --connect";
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, outcome);
        QFETCH(QString, message);
        const StartOptions o = StartOptions::parse(QStringList{"tqmanage"} + args);
        QCOMPARE(int(o.outcome), outcome);
        QVERIFY2(o.message.left(message.size()) == message, qPrintable(o.message));
    }

    // The README's options table is what operators read; it must match what --help prints.
    void helpMatchesReadme()
    {
        const QString help = StartOptions::parse({"tqmanage", "--help"}).message;
        const QString readme = QString::fromUtf8(contentOf(TQ_SOURCE_DIR "/README.md"));
        const QString table = readme.section("## Command line", 1).section("\n## ", 0, 0);
        const QRegularExpression row("^\\| `(--[a-z-]+)(?: ([A-Z]+))?`", QRegularExpression::MultilineOption);
        int rows = 0;
        for (auto it = row.globalMatch(table); it.hasNext(); ++rows) {
            const QRegularExpressionMatch m = it.next();
            const QString shown = m.captured(2).isEmpty() ? m.captured(1) + "  " : m.captured(1) + " <" + m.captured(2) + ">";
            QVERIFY2(help.contains(shown), qPrintable(shown));
        }
        QVERIFY(rows >= 6);
    }

    void commandLineValues()
    {
        const StartOptions o = StartOptions::parse({"tqmanage", "--port", "/dev/pts/7", "--port", "/tmp/ttyV0", "--system-dir",
                                                    "/tmp/sys", "--screenshot", "shot.png", "--screenshot-delay", "200",
                                                    "--connect", "/dev/pts/9", "--verbose", "mine.ini"});
        QVERIFY(o.verbose);
        QCOMPARE(o.settingsFile, QStringLiteral("mine.ini"));
        QCOMPARE(o.screenshot, QStringLiteral("shot.png"));
        QCOMPARE(o.screenshotDelay, 200);
        QVERIFY(!o.simulate);
        QCOMPARE(StartOptions::parse({"tqmanage", "--simulate"}).simulate, true);
        QCOMPARE(StartOptions::parse({"tqmanage"}).screenshotDelay, 1500);
    }

    // The restart after a language switch comes up with the same folder, ports, unit and simulator.
    void restartKeepsTheStartOptions_data()
    {
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QStringList>("restart");
        QTest::newRow("nothing") << QStringList{} << QStringList{};
        QTest::newRow("simulator and folder") << QStringList{"--simulate", "--system-dir", "/tmp/sys"}
                                              << QStringList{"--system-dir", "/tmp/sys", "--simulate"};
        QTest::newRow("ports and connect")
            << QStringList{"--port", "/dev/pts/7", "--connect", "/dev/pts/9", "--port", "/tmp/ttyV0", "--screenshot", "s.png", "x.ini"}
            << QStringList{"--port", "/dev/pts/7", "--port", "/tmp/ttyV0", "--connect", "/dev/pts/9"};
    }
    void restartKeepsTheStartOptions()
    {
        QFETCH(QStringList, given);
        QFETCH(QStringList, restart);
        const StartOptions first = StartOptions::parse(QStringList{"tqmanage"} + given);
        QCOMPARE(first.restartArguments(), restart);
        const StartOptions again = StartOptions::parse(QStringList{"tqmanage"} + restart);
        QCOMPARE(again.outcome, StartOptions::Outcome::Run);
        QCOMPARE(QVariantList({again.simulate, again.systemDir, again.ports, again.connectPort}),
                 QVariantList({first.simulate, first.systemDir, first.ports, first.connectPort}));
    }

    void windowPerLanguage_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("tabs");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("about"); // the about box's title
        // The write picture's word, the help picture's tooltip, the first type field's name, Qt's own Cancel.
        QTest::addColumn<QStringList>("texts");
        const QString english = spaces(8) + "About some of our version information and feedback methods and statements.";
        QTest::newRow("Chinese") << 0 << QStringList{"小票内容设置", "版本更新说明", "帮助"} << "          中文         " << english
                                 << QStringList{"写", "点我^.^打开视频教程", "类型一", "取消"};
        QTest::newRow("English") << 1 << QStringList{"Ticket setting", "Help"} << "        English       " << english
                                 << QStringList{"Write", "Click to open the video tutorial", "Type 1", "Cancel"};
        QTest::newRow("Polish") << 2 << QStringList{"Ustawienia biletu", "Pomoc"} << "         Polish        "
                                << spaces(10) + "chodzi o naszą wersję danych i informacji zwrotnych metod i oświadczenia"
                                << QStringList{"Zapisz", "Kliknij, aby otworzyć samouczek wideo", "Typ 1", "Anuluj"};
    }
    void windowPerLanguage()
    {
        QFETCH(int, code);
        QFETCH(QStringList, tabs);
        QFETCH(QString, menu);
        QFETCH(QString, about);
        QFETCH(QStringList, texts);
        Set_Language_Code(uint8_t(code));
        QVERIFY(writeFile(Dir->filePath("Update log.ini"), Gbk::encode("<b>版本 1.0.7</b> 新增串口")));
        Translator = new QTranslator;
        AppSetup::installCatalogue(*qApp, *Translator, code);
        QTranslator qtTexts;
        AppSetup::installQtCatalogue(*qApp, qtTexts, code);
        MainWindow w;
        QCOMPARE((QStringList{part<QPushButton>(w.Ticket_Page, "Print_Write_Push")->text(), w.Help_Picture->toolTip(),
                              typeName(w.Ticket_Page, 0)->accessibleName(),
                              QCoreApplication::translate("QPlatformTheme", "Cancel")}),
                 texts);
        QStringList shown;
        for (int i = 0; i < w.tabWidget->count(); ++i)
            shown << w.tabWidget->tabText(i);
        QCOMPARE(shown, tabs);
        QCOMPARE(w.ui->menu->title(), menu);
        QCOMPARE(w.windowTitle(), QStringLiteral("Manage TQ-8M V1.0.7"));
        QCOMPARE(w.ui->Save_file->shortcut().toString(), QStringLiteral("Ctrl+S")); // shortcuts are never translated
        if (code == 0) // the update log, GBK decoded, on the Chinese tab only
            QCOMPARE(w.Update_Log_View->toPlainText(), QStringLiteral("版本 1.0.7 新增串口"));
        QSize picture;
        TestSupport::ModalCatcher boxes(
            TestSupport::once([&picture](QWidget *m) { picture = qobject_cast<QMessageBox *>(m)->iconPixmap().size(); }));
        w.ui->about->trigger();
        QCOMPARE(boxes.titles(), QStringList{about});
        QVERIFY(boxes.texts().constFirst().contains("V1.0.7"));
        QCOMPARE(picture, QSize(128, 128));
    }

    void windowFrameAndMenu()
    {
        MainWindow w;
        w.show();
        QTabBar *bar = w.tabWidget->tabBar(); // set in from the window's edges, and nothing lies over the tabs
        QCOMPARE(bar->pos(), QPoint(5, 3));
        for (const QPoint &p : {bar->tabRect(0).topLeft(), bar->tabRect(0).center()})
            QCOMPARE(w.childAt(bar->mapTo(&w, p)), bar);
        QCOMPARE(w.maximumSize(), w.minimumSize());
        QCOMPARE(w.maximumSize(), QSize(1000, 650));
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w.tabWidget->geometry(), QRect(0, 40, 1000, 610)); // and the views the window places on its tabs
        QCOMPARE(w.Help_Picture->geometry(), QRect(0, 0, 1000, 610));
        QVERIFY(w.Update_Log_View); // Chinese: the change history has its tab
        QCOMPARE(w.Update_Log_View->geometry(), QRect(0, 0, 1000, 570));
        QStringList entries;
        for (QAction *a : w.ui->menu->actions())
            entries << (a->isSeparator() ? QStringLiteral("|") : a->menu() ? a->menu()->objectName() : a->objectName());
        QCOMPARE(entries, (QStringList{"|", "Open_file", "Save_file", "Save_as_file", "Boot_Handl", "menu_Language", "|",
                                       "Help", "about", "Updater"}));
        QStringList keys;
        for (const char *name : {"Open_file", "Save_file", "Save_as_file", "Boot_Handl", "Help", "about", "Updater",
                                 "actionChinese", "actionEnglish", "actionPolish"})
            keys << w.findChild<QAction *>(name)->shortcut().toString() + '=' + w.findChild<QAction *>(name)->text();
        QCOMPARE(keys, (QStringList{"F1=  打开", "Ctrl+S=  保存", "F3=  另存", "Ctrl+F=  固件", "F11=  帮助", "F12=  关于",
                                    "Ctrl+U=  更新", "=中文", "=English", "=Polish"}));
        AppSetup::setApplicationIcon(*qApp);
        QCOMPARE(w.windowIcon().availableSizes(), (QList<QSize>{{48, 48}, {128, 128}}));
        QCOMPARE(w.Help_Picture->toolTip(), QStringLiteral("点我^.^打开视频教程"));
        QVERIFY(!w.Help_Picture->icon().isNull());
    }

    void startingTheWindow()
    {
        SettingsCodec::Settings s;
        s.typeNames[0] = "Opened";
        QVERIFY(writeFile(Dir->filePath("named.ini"), SettingsCodec::encode(s)));
        StartOptions o;
        o.ports = QStringList{"/tmp/ttyV0"};
        o.simulatorPort = "/dev/pts/77";
        MainWindow w(nullptr, o);
        QCOMPARE(w.Update_Log_View->toPlainText(), QStringLiteral("文件损坏....."));
        QComboBox *box = part<QComboBox>(w.Ticket_Page, "QC_COM_Choose"); // the ports named on the command line come first
        QCOMPARE(QStringList({box->itemText(0), box->itemData(0).toString(), box->itemText(1), box->currentText()}),
                 (QStringList{"Simulator/dev/pts/77", "/dev/pts/77", "/tmp/ttyV0", "Simulator/dev/pts/77"}));
        w.openAtStart(Dir->filePath("named.ini")); // a settings file named on the command line
        QCOMPARE(typeName(w.Ticket_Page, 0)->text(), QStringLiteral("Opened"));
        TestSupport::ModalCatcher boxes;
        w.openAtStart(Dir->filePath("missing.ini"));
        // A picture named instead of a settings file leaves the page as it was.
        const QByteArray picture = QByteArray("\x89PNG\r\n\x1a\n") + TestSupport::randomBytes(3000, 5);
        QVERIFY(writeFile(Dir->filePath("photo.png"), picture));
        w.openAtStart(Dir->filePath("photo.png"));
        QCOMPARE(boxes.texts(), (QStringList{"配置文件没有打开, 页面没有改动:\r\n" + Dir->filePath("missing.ini") + "\r\n没有找到此文件",
                                             "配置文件没有打开, 页面没有改动:\r\n" + Dir->filePath("photo.png") + "\r\n这不是配置文件"}));
        QCOMPARE(typeName(w.Ticket_Page, 0)->text(), QStringLiteral("Opened"));
        QCOMPARE(TestSupport::contentOf(Dir->filePath("photo.png")), picture);
        o.deferredStart = true; // as the program starts: ports, help picture and icon after the first frame
        qApp->setWindowIcon(QIcon());
        MainWindow later(nullptr, o);
        QCOMPARE(part<QComboBox>(later.Ticket_Page, "QC_COM_Choose")->count(), 0);
        QVERIFY(later.windowIcon().availableSizes().isEmpty());
        later.show();
        QTRY_COMPARE(part<QComboBox>(later.Ticket_Page, "QC_COM_Choose")->currentText(), QStringLiteral("Simulator/dev/pts/77"));
        QCOMPARE(later.windowIcon().availableSizes(), (QList<QSize>{{48, 48}, {128, 128}}));
        QVERIFY(!later.Help_Picture->icon().isNull());
        QVERIFY(!later.ui->Open_file->icon().isNull() && !later.ui->menu_Language->icon().isNull());
        // The help picture is decoded only when drawn, and then drawn as the file is.
        const QIcon shipped(QStringLiteral(":/Res/Pic/Help.jpg"));
        for (const QSize &size : {QSize(1300, 700), QSize(650, 350)})
            QCOMPARE(later.Help_Picture->icon().pixmap(size).toImage(), shipped.pixmap(size).toImage());
        QVERIFY(DeferredIconEngine::icon(Dir->filePath("missing.ini")).isNull());
    }

    void startUpLoad_data()
    {
        QTest::addColumn<QString>("state");
        QTest::newRow("missing") << "missing";
        QTest::newRow("empty") << "empty";
        QTest::newRow("present") << "present";
    }
    void startUpLoad()
    {
        QFETCH(QString, state);
        const QString path = Dir->filePath("Printf_default.ini");
        SettingsCodec::Settings s;
        s.typeNames[2] = "VIP";
        if (state != "missing")
            QVERIFY(writeFile(path, state == "present" ? SettingsCodec::encode(s) : QByteArray()));
        MainWindow w;
        QCOMPARE(typeName(w.Ticket_Page, 2)->text(), state == "present" ? QStringLiteral("VIP") : QString());
        QCOMPARE(QFile::exists(path), state != "missing");
        QCOMPARE(contentOf(path).isEmpty(), state != "present");
    }

    void exitQuestion_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes saves") << true;
        QTest::newRow("no leaves the file") << false;
    }
    void exitQuestion()
    {
        QFETCH(bool, yes);
        const QString path = Dir->filePath("Printf_default.ini");
        const QByteArray before = SettingsCodec::encode({});
        QVERIFY(writeFile(path, before));
        MainWindow w;
        typeName(w.Ticket_Page, 0)->setText("Saved");
        QString title, text;
        const TestSupport::ModalCatcher answer(TestSupport::once([&](QWidget *m) {
            auto *box = qobject_cast<QMessageBox *>(m);
            title = box->windowTitle();
            text = box->text();
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        }));
        w.show();
        QVERIFY(w.close());
        QCOMPARE(title, QStringLiteral("退出程序"));
        QCOMPARE(text, "\r\n" + spaces(6) + "警告：程序正在运行退出后是否要保存配置文件?" + spaces(8) + "\r\n");
        if (yes)
            QCOMPARE(SettingsCodec::decode(contentOf(path)).settings.typeNames[0], QStringLiteral("Saved"));
        else
            QCOMPARE(contentOf(path), before);
    }

    void saveOpenAndSaveAs()
    {
        SystemDir::setOverride(Dir->filePath("new")); // a first save makes the folder
        MainWindow w;
        part<QComboBox>(w.Ticket_Page, "QC_Network_ID")->setCurrentIndex(9);
        const TestSupport::ModalCatcher boxes;
        w.ui->Save_file->trigger();
        QCOMPARE(SettingsCodec::decode(contentOf(Dir->filePath("new/Printf_default.ini"))).settings.networkIdIndex, 9);
        QVERIFY(part<QTextEdit>(w.Ticket_Page, "USART_Log")->toPlainText().endsWith("已保存: " + Dir->filePath("new/Printf_default.ini") + "\n"));

        const QString chosen = Dir->filePath("mine"); // typed without extension: used as typed
        QStringList asked;
        w.desktop.chooseFile = [&](QWidget *, QFileDialog::AcceptMode mode, const QString &title) {
            asked << title + (mode == QFileDialog::AcceptSave ? "/save" : "/open");
            return chosen;
        };
        typeName(w.Ticket_Page, 1)->setText("B");
        w.ui->Save_as_file->trigger();
        typeName(w.Ticket_Page, 1)->clear();
        w.ui->Open_file->trigger();
        QCOMPARE(typeName(w.Ticket_Page, 1)->text(), QStringLiteral("B"));
        QCOMPARE(asked, (QStringList{"Save As/save", "Open/open"}));
        w.desktop.chooseFile = [](QWidget *, QFileDialog::AcceptMode, const QString &) { return QString(); };
        typeName(w.Ticket_Page, 1)->clear();
        w.ui->Open_file->trigger(); // cancelled: nothing changes
        QVERIFY(typeName(w.Ticket_Page, 1)->text().isEmpty());
    }

    void languageSwitch_data()
    {
        QTest::addColumn<QByteArray>("file"); // "-" for no file, "dir" for one that cannot be written
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("restarts");
        const QString crlf = "\r\n";
        const QString damaged = crlf + crlf + spaces(49) + crlf + " The system file may have been damaged...." + spaces(11);
        const QString a1 = crlf + spaces(56) + crlf + spaces(14) + "软件已是中文版本" + spaces(28) + "." + spaces(41) + crlf;
        const QString s1 = crlf + spaces(38) + crlf + spaces(4) + "软件已换成功切换成< 中文版本 >" + spaces(27)
            + "->请重启软件后生效..." + spaces(15) + crlf;
        const QString a2 = crlf + spaces(38) + crlf + spaces(4) + "Has been switched to English version" + spaces(13) + "."
            + crlf + spaces(45) + crlf;
        const QString s2 = crlf + "The software has been successfully switched to <English version>" + crlf
            + "Please restart the software and take effect.....";
        const QString a3 = crlf + spaces(38) + crlf + spaces(5) + "został przeniesiony do polskiej wersji językowej"
            + spaces(12) + "." + crlf + spaces(45) + crlf;
        const QString s3 = crlf + "system jest skutecznie włączone do polskiej wersji językowej" + crlf + "po wejściu w życie.t.....";
        const QByteArray chinese("[General]\nLanguage=Chinese\n");
        QTest::newRow("already Chinese") << chinese << "Chinese" << "语言切换" << a1 << false;
        QTest::newRow("missing key") << QByteArray("[General]\n") << "Chinese" << "语言切换" << s1 << true;
        QTest::newRow("case differs") << QByteArray("[General]\nLanguage=chinese\n") << "Chinese" << "语言切换" << s1 << true;
        QTest::newRow("already English") << QByteArray("[General]\nLanguage=English\n") << "English" << "Language Switching" << a2
                                         << false;
        QTest::newRow("to English") << chinese << "English" << "Language Switching" << s2 << true;
        QTest::newRow("already Polish") << QByteArray("[General]\nLanguage=Poland\n") << "Poland" << "język" << a3 << false;
        QTest::newRow("to Polish") << chinese << "Poland" << "język" << s3 << true;
        QTest::newRow("missing file") << QByteArray("-") << "English" << "Warning" << damaged << false;
        QTest::newRow("unwritable file") << QByteArray("dir") << "English" << "Warning" << "语言设置无法保存:\r\n<path>\r\n<reason>"
                                         << false;
    }
    void languageSwitch()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, choice);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(bool, restarts);
        const QString path = Dir->filePath("Language.ini");
        if (file == "dir")
            QDir().mkpath(path);
        else if (file != "-")
            QVERIFY(writeFile(path, file));
        StartOptions o;
        o.systemDir = Dir->path();
        o.ports = QStringList{"/dev/pts/42"};
        MainWindow w(nullptr, o);
        Recorded r;
        fake(w, r);
        if (file == "dir") { // the system's own words for why the file cannot be written
            QFile probe(path);
            probe.open(QIODevice::ReadWrite);
            text.replace("<path>", path).replace("<reason>", probe.errorString());
        }
        TestSupport::ModalCatcher boxes;
        (choice == "English" ? w.ui->actionEnglish : choice == "Poland" ? w.ui->actionPolish : w.ui->actionChinese)->trigger();
        QTRY_VERIFY(boxes.count() >= 1);
        QCOMPARE(boxes.titles().constFirst(), title);
        QCOMPARE(boxes.texts().constFirst(), text);
        QCOMPARE(boxes.count(), restarts ? 2 : 1); // after a switch, the save question
        const QStringList again{"--system-dir", Dir->path(), "--port", "/dev/pts/42"};
        QCOMPARE(r.exits, restarts ? QList<int>{0} : QList<int>());
        QCOMPARE(r.restarts, restarts ? QList<QStringList>{again} : QList<QStringList>());
        if (restarts)
            QCOMPARE(QSettings(path, QSettings::IniFormat).value("Language").toString(), choice);
    }

    // content: what the path file holds ("-" for no file); opened: the path asked of the desktop.
    void pathFiles_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("pathFile");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("box");
        const QString guide = "/opt/文档/guide.html\r\n"; // the whole content, line break included, is the path
        QTest::newRow("help Chinese") << 0 << "help" << "Chinese help path.ini" << guide << guide << "";
        QTest::newRow("help English") << 1 << "help" << "English help path.ini" << guide << guide << "";
        QTest::newRow("help Polish") << 2 << "help" << "Poland help path.ini" << guide << guide << "";
        QTest::newRow("picture button") << 0 << "picture" << "Chinese help path.ini" << guide << guide << "";
        QTest::newRow("update Chinese") << 0 << "update" << "Update path.ini" << guide << guide << "";
        QTest::newRow("update English shares it") << 1 << "update" << "Update path.ini" << guide << guide << "";
        QTest::newRow("update Polish") << 2 << "update" << "Update path Poland.ini" << guide << guide << "";
        QTest::newRow("relative: in the System folder") << 1 << "help" << "English help path.ini" << "Help/help_en.html"
                                                        << "<dir>/Help/help_en.html" << "";
        QTest::newRow("empty: not the System folder") << 0 << "update" << "Update path.ini" << "" << "" << "";
        QTest::newRow("missing path file") << 0 << "update" << "Update path.ini" << "-" << "-"
                                           << "\r\n\r\n" + spaces(51) + "\r\n" + spaces(15) + "系统文件可能已经损坏..." + spaces(13);
        QTest::newRow("no program opens it") << 0 << "help" << "Chinese help path.ini" << "Help/unopenable.html"
                                             << "<dir>/Help/unopenable.html" << "无法打开此文件, 请手动打开:\r\n<dir>/Help/unopenable.html";
    }
    void pathFiles()
    {
        QFETCH(int, language);
        QFETCH(QString, action);
        QFETCH(QString, pathFile);
        QFETCH(QString, content);
        QFETCH(QString, opened);
        QFETCH(QString, box);
        Set_Language_Code(uint8_t(language));
        if (content != "-")
            QVERIFY(writeFile(Dir->filePath(pathFile), Gbk::encode(content)));
        MainWindow w;
        Recorded r;
        fake(w, r);
        TestSupport::ModalCatcher boxes;
        if (action == "help")
            w.ui->Help->trigger();
        else if (action == "update")
            w.ui->Updater->trigger();
        else
            w.Help_Picture->click();
        opened.replace("<dir>", Dir->path());
        QCOMPARE(r.opened, opened == "-" ? QList<QUrl>() : QList<QUrl>{opened.isEmpty() ? QUrl() : QUrl::fromLocalFile(opened)});
        QTRY_COMPARE(boxes.texts(), box.isEmpty() ? QStringList() : QStringList{box.replace("<dir>", Dir->path())});
        QCOMPARE(boxes.titles(), box.isEmpty() ? QStringList() : QStringList{"Warning"});
    }

    void shippedSystemFolderIsComplete()
    {
        const QDir shipped(QStringLiteral(TQ_SOURCE_DIR "/System"));
        for (const char *f : {"Chinese help path.ini", "English help path.ini", "Poland help path.ini", "Update path.ini",
                              "Update path Poland.ini"}) {
            const QString target = QString::fromLatin1(contentOf(shipped.filePath(f)));
            QVERIFY2(!target.isEmpty() && QFile::exists(shipped.filePath(target)), f);
        }
        QCOMPARE(QSettings(shipped.filePath("Language.ini"), QSettings::IniFormat).value("Language").toString(),
                 QStringLiteral("Chinese"));
        QVERIFY(Gbk::decode(contentOf(shipped.filePath("Update log.ini"))).contains(QStringLiteral("版本更新说明")));
    }

    // Last: QCoreApplication::exit leaves every later event loop of the thread quitting at once.
    void realDesktopHooks()
    {
        const Desktop real = Desktop::real();
        QVERIFY(real.openUrl && real.startDetached);
        for (const auto mode : {QFileDialog::AcceptOpen, QFileDialog::AcceptSave}) {
            const TestSupport::ModalCatcher answer(TestSupport::once([mode](QWidget *m) {
                auto *d = qobject_cast<QFileDialog *>(m);
                QVERIFY(d);
                QCOMPARE(d->windowTitle(), QStringLiteral("Title"));
                QCOMPARE(d->acceptMode(), mode);
                QCOMPARE(d->fileMode(), mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
                QCOMPARE(d->nameFilters(), QStringList{"Text files (*.ini)"});
            }));
            QCOMPARE(real.chooseFile(nullptr, mode, "Title"), QString());
        }
        QEventLoop loop;
        QTimer::singleShot(0, [&real] { real.exitApplication(3); });
        QCOMPARE(loop.exec(), 3);
    }

private:
    QScopedPointer<QTemporaryDir> Dir;
    QTranslator *Translator = nullptr;
};

QTEST_MAIN(tst_App)
#include "tst_app.moc"
