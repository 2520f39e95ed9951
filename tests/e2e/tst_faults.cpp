// Faults of the machine, for real: a full file system (a small tmpfs, where this user may mount
// one), a full temporary folder, a file-size limit (RLIMIT_FSIZE in a child process), a process
// limit that leaves no thread to be had (RLIMIT_NPROC, as another user) and a serial port another
// program holds.
#include "app/AppSetup.h"
#include "app/FontConfigWarmUp.h"
#include "app/ImagePluginWarmUp.h"
#include "ticket/RecordFile.h"
#include "ticket/Language.h"
#include "app/MainWindow.h"
#include "ticket/SystemDir.h"
#include "device/Function_One.h"
#include "testsupport/PageState.h"
#include "testsupport/TestSupport.h"
#include "protocol/SettingsBatches.h"
#include "ticket/SettingsCodec.h"

#include <QAction>
#include <QComboBox>
#include <QImageReader>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
using TestSupport::contentOf;
using TestSupport::writeFile;
using TestSupport::part;
using TestSupport::typeName;

QByteArray settingsFile(const QString &name)
{
    SettingsCodec::Settings s;
    s.typeNames[0] = name;
    return SettingsCodec::encode(s);
}

// Fills the file system that holds dir until not one more byte fits.
void fill(const QString &dir)
{
    QFile filler(dir + "/filler");
    if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        while (filler.write("f", 1) == 1) {
        }
}
} // namespace

class tst_Faults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { AppSetup::initResources(); }
    // The picture read aside while the window is built: read whole in the other thread, or, missing,
    // not read and nothing else happens, while this thread reads pictures of its own. First of all, so
    // that the image plugins are loaded there, not here.
    void pictureReadAside_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<bool>("read");
        QTest::newRow("the combo boxes' arrow") << QStringLiteral(":/Res/Pic/drop-down.png") << true;
        QTest::newRow("missing") << QStringLiteral(":/Res/Pic/no-such-picture.png") << false;
    }

    void pictureReadAside()
    {
        QFETCH(QString, picture);
        QFETCH(bool, read);
        ImagePluginWarmUp images(picture);
        QVERIFY(images.started());
        for (const char *own : {":/Res/Pic/Warning.png", ":/Res/Pic/add.png"})
            QVERIFY(!QImageReader(QString::fromLatin1(own)).read().isNull());
        QCOMPARE(images.wait(), read);
        QCOMPARE(images.wait(), read); // waited for once, asked again
    }

    void init()
    {
        Set_Language_Code(Language_Chinese);
    }
    void cleanup()
    {
        if (!Mounted.isEmpty())
            QProcess::execute("umount", {Mounted});
        Mounted.clear();
        Mount.reset();
    }

    // Ctrl+S in the window, and the rewrite after Open, on a full disk: the old file stays byte for
    // byte and mode for mode, and a box says why.
    void fullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("Ctrl+S") << "save";
        QTest::newRow("Open rewrites the file") << "open";
    }
    void fullDiskKeepsTheOldFile()
    {
        QFETCH(QString, action);
        Mount.reset(new QTemporaryDir);
        const QTemporaryDir &dir = *Mount;
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", dir.path()}) != 0)
            QSKIP("no tmpfs may be mounted here; the file-size limit covers a short write");
        Mounted = dir.path();
        SystemDir::setOverride(dir.path());
        const QString path = SystemDir::userPath("Printf_default.ini");
        // A settings file as another program may have left it: valid, but not as this one writes it.
        const QByteArray old = settingsFile("Old") + "\n";
        QVERIFY(writeFile(path, old, QFile::ReadOwner | QFile::ReadGroup));
        fill(dir.path());

        TestSupport::ModalCatcher boxes;
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        if (action == "save") {
            QTRY_COMPARE(boxes.count(), 1); // the rewrite after the start-up load
            typeName(w.Ticket_Page, 0)->setText("New");
            QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
            QTRY_COMPARE(boxes.count(), 2);
        } else {
            QTRY_COMPARE(boxes.count(), 1);
            emit w.OPEN_Print_FILE(path);
            QTRY_COMPARE(boxes.count(), 2);
        }
        QCOMPARE(boxes.texts().constLast(), "配置文件保存失败,原文件未改动:\r\n" + path + "\r\nNo space left on device\r\n"
                                                "可以用\"另存\"保存到其他文件夹.");
        QCOMPARE(contentOf(path), old);
        QCOMPARE(QFileInfo(path).permissions() & 0x7077, QFile::ReadOwner | QFile::ReadGroup);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // nothing left behind
    }

    // A temporary folder with 4 KiB free (TMPDIR on a small tmpfs) takes no part in reading or
    // writing a settings file: every line arrives, in the window and at the unit.
    void fullTemporaryFolderLosesNothing_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("the window opens the file") << "window";
        QTest::newRow("tqmanage-cli apply") << "cli";
    }
    void fullTemporaryFolderLosesNothing()
    {
        QFETCH(QString, program);
        Mount.reset(new QTemporaryDir);
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", Mount->path()}) != 0)
            QSKIP("no tmpfs may be mounted here");
        Mounted = Mount->path();
        fill(Mounted);
        QVERIFY(::truncate(QFile::encodeName(Mounted + "/filler").constData(), QFileInfo(Mounted + "/filler").size() - 4096) == 0);
        SettingsCodec::Settings s;
        for (int i = 0; i < 10; ++i)
            s.lines[i] = QStringLiteral("ATPW+%1+N+L+%2+SIZE:S+OK").arg(i).arg(QString(62, QChar(0x6B22)));
        s.typeNames[4] = "Last";
        QTemporaryDir dir;
        const QString path = dir.filePath("shop.ini");
        QVERIFY(writeFile(path, SettingsCodec::encode(s)));
        QVERIFY(contentOf(path).size() > 5000);
        if (program == "cli") {
            SimUnderTest sim;
            QProcess cli;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("TMPDIR", Mounted);
            cli.setProcessEnvironment(env);
            cli.start(TQ_CLI_PATH, {"apply", path, "--only", "ticket", "--port", sim.port()});
            QVERIFY(cli.waitForFinished(60000));
            QCOMPARE(cli.exitCode(), 0);
            QVERIFY(sim.texts("note").contains("line 9 = " + SettingsBatches::ticket(s).at(9)));
            return;
        }
        const QByteArray tmpWas = qgetenv("TMPDIR");
        qputenv("TMPDIR", Mounted.toLocal8Bit());
        Function_One page(nullptr);
        TestSupport::ModalCatcher boxes;
        page.OPEN_FILE_Operation(path);
        qputenv("TMPDIR", tmpWas);
        QCOMPARE(boxes.texts(), QStringList());
        for (int i = 0; i < 10; ++i)
            QCOMPARE(page.Print_Line[i], s.lines[i]);
        QCOMPARE(typeName(&page, 4)->text(), QStringLiteral("Last"));
        QCOMPARE(contentOf(path), SettingsCodec::encode(s));
    }

    // Under a file-size limit a write stops halfway (EFBIG): the save says so, the file stays.
    void sizeLimitKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.ini");
        const QByteArray old = settingsFile("Old");
        QVERIFY(writeFile(path, old, QFile::ReadOwner));
        const pid_t child = ::fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1500, 1500};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            Function_One page(nullptr);
            for (QString &line : page.Print_Line)
                line = "ATPW+0+N+L+" + QString(20, QChar(0x6B22)) + "+SIZE:S+OK"; // about 3000 bytes in the file
            TestSupport::ModalCatcher boxes;
            const bool saved = page.Save_FILE_Operation(path);
            const bool told = boxes.count() == 1 && boxes.texts().constFirst().contains("\r\nFile too large\r\n");
            ::_exit(saved ? 1 : told ? 0 : 2);
        }
        int status = -1;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(contentOf(path), old);
        QCOMPARE(QFileInfo(path).permissions() & 0x7077, QFile::ReadOwner);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    // Under a process limit no thread can be started: the start goes on without reading fonts or a
    // picture aside, and records are written as they come instead of by a writer thread. (Both used to
    // end the program with an uncaught exception.)
    void processLimitLeavesNoThread()
    {
        const passwd *nobody = ::getpwnam("nobody");
        if (::geteuid() != 0 || !nobody)
            QSKIP("needs root, to be another user whose process count the limit can hold");
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::Permissions(0x7777)));
        const QString path = dir.filePath("record.jsonl");
        const pid_t child = ::fork();
        if (child == 0) {
            // Root is never held by the limit; nobody has this one process and may start no other.
            const rlimit one{1, 1};
            if (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0
                || ::setrlimit(RLIMIT_NPROC, &one) != 0)
                ::_exit(3);
            FontConfigWarmUp fonts;
            const ImagePluginWarmUp images(QStringLiteral(":/Res/Pic/drop-down.png"));
            if (fonts.started() || images.started())
                ::_exit(4); // a thread was had after all: the limit is not what this test needs
            UnitRecord r;
            r.unit = QStringLiteral("/dev/ttyUSB0");
            r.action = QStringLiteral("reset");
            {
                RecordFile record(path, QStringLiteral("tqmanage"));
                record.append(r);
                record.flush();
                if (!record.problem().isEmpty())
                    ::_exit(5);
            }
            ::_exit(0);
        }
        // A child stuck in a failed start is ended, not waited for.
        int status = -1;
        QDeadlineTimer deadline(30000);
        while (::waitpid(child, &status, WNOHANG) == 0 && !deadline.hasExpired())
            QTest::qWait(20);
        if (deadline.hasExpired()) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            QFAIL("the child did not end within 30 s");
        }
        QVERIFY(WIFEXITED(status)); // not ended by an exception
        QCOMPARE(WEXITSTATUS(status), 0);
        const QList<QByteArray> lines = contentOf(path).split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.at(0).contains("\"action\":\"reset\""));
    }

    // A port another program holds is explained as such, with the holder's PID from its lock file.
    void portInUseNamesItsOwner()
    {
        PtyPair pty;
        QSerialPort holder(pty.slavePath());
        QVERIFY(holder.open(QIODevice::ReadWrite));
        StartOptions o;
        o.ports = QStringList{pty.slavePath()};
        MainWindow w(nullptr, o);
        TestSupport::ModalCatcher boxes;
        QVERIFY(w.connectTo(pty.slavePath()));
        QTRY_COMPARE(boxes.count(), 1);
        QCOMPARE(boxes.texts().constFirst(), QStringLiteral("连接错误请检查端口号是否正确....\r\n此端口正被其他程序使用 (进程 %1), 请先关闭那个程序.")
                                                 .arg(::getpid()));
    }

    // A typed path is kept when Connect is pressed, so it is there again after a refused open.
    void typedPathIsRememberedWhenConnectIsPressed()
    {
        QTemporaryDir dir;
        SystemDir::setOverride(dir.path());
        const QString typed = dir.filePath("ttyNOTHERE");
        {
            MainWindow w;
            QComboBox *box = part<QComboBox>(w.Ticket_Page, "QC_COM_Choose");
            box->lineEdit()->clear();
            QTest::keyClicks(box->lineEdit(), typed);
            TestSupport::ModalCatcher boxes;
            part<QPushButton>(w.Ticket_Page, "QB_OPEN_USART")->click();
            QVERIFY(boxes.texts().value(0).contains("端口已不存在"));
        }
        MainWindow next;
        QCOMPARE(part<QComboBox>(next.Ticket_Page, "QC_COM_Choose")->currentText(), typed);
    }

private:
    QScopedPointer<QTemporaryDir> Mount;
    QString Mounted;
};

QTEST_MAIN(tst_Faults)
#include "tst_faults.moc"
