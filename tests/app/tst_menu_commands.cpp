#include "app/AppSetup.h"
#include "app/Language.h"
#include "app/MainWindow.h"
#include "app/SystemDir.h"
#include "device/Function_One.h"
#include "serial/Gbk.h"
#include "testsupport/TestSupport.h"
#include "ticket/SettingsCodec.h"

#include <QAbstractButton>
#include <QAction>
#include <QPushButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
void writeFile(const QString &path, const QByteArray &content)
{
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Recorded {
    QList<QUrl> opened;
    QList<QStringList> restarts;
    QList<int> exits;
};

void fake(MainWindow &w, Recorded &r)
{
    w.desktop.openUrl = [&r](const QUrl &url) {
        r.opened << url;
        return true;
    };
    w.desktop.startDetached = [&r](const QString &, const QStringList &args) {
        r.restarts << args;
        return true;
    };
    w.desktop.exitApplication = [&r](int code) { r.exits << code; };
}
} // namespace

class tst_MenuCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { AppSetup::initResources(); }
    void init()
    {
        Dir.reset(new QTemporaryDir);
        SystemDir::setOverride(Dir->path());
        Set_Language_Code(Language_Chinese);
        Function_One::COM_Count = 0;
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
        if (state == "empty")
            writeFile(path, QByteArray());
        if (state == "present")
            writeFile(path, SettingsCodec::encode(s));
        MainWindow w;
        QCOMPARE(w.Ticket_Page->QL_Type_Name[2]->text(), state == "present" ? QStringLiteral("VIP") : QString());
        QCOMPARE(QFile::exists(path), state != "missing");
        if (state == "empty")
            QCOMPARE(contentOf(path), QByteArray());
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
        writeFile(path, before);
        MainWindow w;
        w.Ticket_Page->QL_Type_Name[0]->setText("Saved");
        QString title;
        TestSupport::answerNextModal([&](QWidget *m) {
            auto *box = qobject_cast<QMessageBox *>(m);
            title = box->windowTitle();
            QCOMPARE(box->text(), QStringLiteral("\r\n      警告：程序正在运行退出后是否要保存配置文件?        \r\n"));
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        w.show();
        QVERIFY(w.close());
        QCOMPARE(title, QStringLiteral("退出程序"));
        const QByteArray after = contentOf(path);
        if (yes)
            QCOMPARE(SettingsCodec::decode(after).settings.typeNames[0], QStringLiteral("Saved"));
        else
            QCOMPARE(after, before);
    }

    void saveDefaultKeepsOldFileUntilNewOneIsWritten()
    {
        const QString path = Dir->filePath("Printf_default.ini");
        MainWindow w;
        w.Ticket_Page->QC_Network_ID->setCurrentIndex(9);
        w.SAVE_FILE_default_Menuber();
        QCOMPARE(SettingsCodec::decode(contentOf(path)).settings.networkIdIndex, 9);
        w.Ticket_Page->QC_Network_ID->setCurrentIndex(10);
        w.ui->Save_file->trigger();
        QCOMPARE(SettingsCodec::decode(contentOf(path)).settings.networkIdIndex, 10);
    }

    void openAndSaveAsUseChosenPath()
    {
        MainWindow w;
        const QString chosen = Dir->filePath("mine"); // typed without extension: used as typed
        QList<QFileDialog::AcceptMode> modes;
        QStringList titles;
        w.desktop.chooseFile = [&](QWidget *, QFileDialog::AcceptMode mode, const QString &title) {
            modes << mode;
            titles << title;
            return chosen;
        };
        w.Ticket_Page->QL_Type_Name[1]->setText("B");
        w.ui->Save_as_file->trigger();
        QVERIFY(QFile::exists(chosen));
        w.Ticket_Page->QL_Type_Name[1]->clear();
        w.ui->Open_file->trigger();
        QCOMPARE(w.Ticket_Page->QL_Type_Name[1]->text(), QStringLiteral("B"));
        QCOMPARE(titles, (QStringList{"Save As", "Open"}));
        QCOMPARE(modes, (QList<QFileDialog::AcceptMode>{QFileDialog::AcceptSave, QFileDialog::AcceptOpen}));

        w.desktop.chooseFile = [](QWidget *, QFileDialog::AcceptMode, const QString &) { return QString(); };
        w.ui->Open_file->trigger(); // cancelled: nothing changes
        QCOMPARE(w.Ticket_Page->QL_Type_Name[1]->text(), QStringLiteral("B"));
    }

    void languageSwitch_data()
    {
        QTest::addColumn<QByteArray>("file"); // "-" for no file, "dir" for an unwritable one
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("firstBoxStart");
        QTest::addColumn<bool>("restarts");
        QTest::addColumn<QString>("stored");
        QTest::newRow("already English") << QByteArray("[General]\nLanguage=English\n") << "English"
                                         << "\r\n" + QString(38, ' ') + "\r\n    Has been switched" << false << "English";
        QTest::newRow("Chinese to English") << QByteArray("[General]\nLanguage=Chinese\n") << "English"
                                            << "\r\nThe software has been successfully switched" << true << "English";
        QTest::newRow("to Polish") << QByteArray("[General]\nLanguage=Chinese\n") << "Poland"
                                   << "\r\nsystem jest skutecznie" << true << "Poland";
        QTest::newRow("already Chinese") << QByteArray("[General]\nLanguage=Chinese\n") << "Chinese"
                                         << "\r\n" + QString(56, ' ') + "\r\n" + QString(14, ' ') + "软件已是中文版本" << false
                                         << "Chinese";
        QTest::newRow("missing key") << QByteArray("[General]\n") << "Chinese"
                                     << "\r\n" + QString(38, ' ') + "\r\n    软件已换成功切换成< 中文版本 >" << true << "Chinese";
        QTest::newRow("case difference") << QByteArray("[General]\nLanguage=chinese\n") << "Chinese"
                                         << "\r\n" + QString(38, ' ') + "\r\n    软件已换成功" << true << "Chinese";
        QTest::newRow("missing file") << QByteArray("-") << "English"
                                      << "\r\n\r\n" + QString(49, ' ') + "\r\n The system file may have been damaged...."
                                      << false << "";
        QTest::newRow("unwritable file") << QByteArray("dir") << "English"
                                         << "\r\n\r\n" + QString(49, ' ') + "\r\n The system file may have been damaged...."
                                         << false << "";
    }
    void languageSwitch()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, choice);
        QFETCH(QString, firstBoxStart);
        QFETCH(bool, restarts);
        QFETCH(QString, stored);
        const QString path = Dir->filePath("Language.ini");
        if (file == "dir")
            QDir().mkpath(path);
        else if (file != "-")
            writeFile(path, file);
        StartOptions o;
        o.systemDir = Dir->path();
        o.ports = QStringList{"/dev/pts/42"};
        MainWindow w(nullptr, o);
        Recorded r;
        fake(w, r);
        TestSupport::ModalCatcher boxes;
        if (choice == "English")
            w.ui->actionEnglish->trigger();
        else if (choice == "Poland")
            w.ui->actionPolish->trigger();
        else
            w.ui->actionChinese->trigger();
        QTRY_VERIFY(boxes.count() >= 1);
        QVERIFY2(boxes.texts().constFirst().startsWith(firstBoxStart), qPrintable(boxes.texts().constFirst()));
        if (restarts) {
            QCOMPARE(boxes.count(), 2); // the switch, then the save question
            QVERIFY(boxes.texts().at(1).contains(QStringLiteral("是否要保存配置文件")));
            QCOMPARE(r.exits, QList<int>{0});
            QCOMPARE(r.restarts.size(), 1);
            QCOMPARE(r.restarts.constFirst(), (QStringList{"--system-dir", Dir->path(), "--port", "/dev/pts/42"}));
        } else {
            QCOMPARE(boxes.count(), 1);
            QVERIFY(r.restarts.isEmpty());
            QVERIFY(r.exits.isEmpty());
        }
        if (!stored.isEmpty())
            QCOMPARE(QSettings(path, QSettings::IniFormat).value("Language").toString(), stored);
    }

    void pathFiles_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("pathFile");
        QTest::newRow("help Chinese") << 0 << "help" << "Chinese help path.ini";
        QTest::newRow("help English") << 1 << "help" << "English help path.ini";
        QTest::newRow("help Polish") << 2 << "help" << "Poland help path.ini";
        QTest::newRow("picture button") << 0 << "picture" << "Chinese help path.ini";
        QTest::newRow("update Chinese") << 0 << "update" << "Update path.ini";
        QTest::newRow("update English shares it") << 1 << "update" << "Update path.ini";
        QTest::newRow("update Polish") << 2 << "update" << "Update path Poland.ini";
    }
    void pathFiles()
    {
        QFETCH(int, language);
        QFETCH(QString, action);
        QFETCH(QString, pathFile);
        Set_Language_Code(uint8_t(language));
        writeFile(Dir->filePath(pathFile), Gbk::encode("/opt/文档/" + pathFile + "\r\n"));
        MainWindow w;
        Recorded r;
        fake(w, r);
        if (action == "help")
            w.ui->Help->trigger();
        else if (action == "update")
            w.ui->Updater->trigger();
        else
            w.Help_Picture->click();
        QCOMPARE(r.opened.size(), 1);
        // The whole content, line break included, is the path.
        QCOMPARE(r.opened.constFirst(), QUrl::fromLocalFile("/opt/文档/" + pathFile + "\r\n"));
    }

    void relativePathIsInTheSystemFolder()
    {
        writeFile(Dir->filePath("English help path.ini"), "Help/help_en.html");
        Set_Language_Code(Language_English);
        MainWindow w;
        Recorded r;
        fake(w, r);
        w.OPEN_Hepl_File();
        QCOMPARE(r.opened.constFirst(), QUrl::fromLocalFile(Dir->filePath("Help/help_en.html")));
    }

    void missingPathFileSaysSo()
    {
        MainWindow w;
        Recorded r;
        fake(w, r);
        TestSupport::ModalCatcher boxes;
        w.Software_Updater_Handle();
        QTRY_COMPARE(boxes.count(), 1);
        QCOMPARE(boxes.texts().constFirst(), "\r\n\r\n" + QString(51, ' ') + "\r\n               系统文件可能已经损坏...             ");
        QVERIFY(r.opened.isEmpty());
    }

    void shippedSystemFolderIsComplete_data()
    {
        QTest::addColumn<QString>("pathFile");
        for (const char *f : {"Chinese help path.ini", "English help path.ini", "Poland help path.ini", "Update path.ini",
                              "Update path Poland.ini"})
            QTest::newRow(f) << QString::fromLatin1(f);
    }
    void shippedSystemFolderIsComplete()
    {
        QFETCH(QString, pathFile);
        const QDir shipped(QStringLiteral(TQ_SOURCE_DIR "/System"));
        const QString target = QString::fromLatin1(contentOf(shipped.filePath(pathFile)));
        QVERIFY(!target.isEmpty());
        QVERIFY2(QFile::exists(shipped.filePath(target)), qPrintable(target));
        QCOMPARE(QSettings(shipped.filePath("Language.ini"), QSettings::IniFormat).value("Language").toString(),
                 QStringLiteral("Chinese"));
        QVERIFY(Gbk::decode(contentOf(shipped.filePath("Update log.ini"))).contains(QStringLiteral("版本更新说明")));
    }

    void aboutBox_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("titleStart");
        QTest::newRow("Chinese") << 0 << "        About some of our version";
        QTest::newRow("English") << 1 << "        About some of our version";
        QTest::newRow("Polish") << 2 << "          chodzi o naszą wersję";
    }
    void aboutBox()
    {
        QFETCH(int, language);
        QFETCH(QString, titleStart);
        Set_Language_Code(uint8_t(language));
        MainWindow w;
        QString title, text;
        TestSupport::answerNextModal([&](QWidget *m) {
            title = m->windowTitle();
            text = qobject_cast<QMessageBox *>(m)->text();
            QVERIFY(qobject_cast<QMessageBox *>(m)->button(QMessageBox::Close));
        });
        w.ui->about->trigger();
        QVERIFY2(title.startsWith(titleStart), qPrintable(title));
        QVERIFY(text.contains("V1.0.7"));
    }

private:
    QScopedPointer<QTemporaryDir> Dir;
};

QTEST_MAIN(tst_MenuCommands)
#include "tst_menu_commands.moc"
