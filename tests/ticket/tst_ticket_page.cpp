// The ticket page of the device page: the line editor, storing and checking records, and the
// settings file on disk.
#include "app/AppSetup.h"
#include "ticket/Language.h"
#include "device/Function_One.h"
#include "testsupport/PageState.h"
#include "testsupport/TestSupport.h"
#include "device/QDialg_add_Line.h"
#include "ticket/SettingsCodec.h"
#include "ticket/SettingsFile.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextEdit>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
using TestSupport::contentOf;
using TestSupport::writeFile;
using TestSupport::part;
using TestSupport::typeName;

SettingsCodec::Settings goodSettings()
{
    SettingsCodec::Settings s;
    s.lines[0] = "ATPW+0+N+M+欢迎+SIZE:B+OK";
    s.lines[3] = "ATPW+3+R+L+还有:人\r\n+SIZE:S+OK";
    s.typeNames[0] = "普通";
    s.typeNames[3] = "VIP";
    s.networkIdIndex = 7;
    s.autoClearIndex = 24;
    s.syncRestartIndex = 1;
    return s;
}

QFile::Permissions permissionsOf(const QString &path)
{
    return QFileInfo(path).permissions() & (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup
                                            | QFile::ReadOther | QFile::WriteOther);
}
} // namespace

class tst_TicketPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { AppSetup::initResources(); }
    void init()
    {
        Set_Language_Code(Language_Chinese);
        Dir.reset(new QTemporaryDir);
        Page = new Function_One(nullptr);
        Path = Dir->filePath("settings.ini");
    }
    void cleanup() { delete Page; }

    void editorLimits_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("font");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<bool>("fontEnabled");
        // One under, at and one over each limit; a small text longer than the big limit locks the big font.
        for (const auto &limit : {std::make_tuple("plain", 0, 16, 128), std::make_tuple("remaining", 3, 11, 123)}) {
            const int kind = std::get<1>(limit), big = std::get<2>(limit), small = std::get<3>(limit);
            for (int n : {big - 1, big, big + 1}) {
                QTest::addRow("%s big %d", std::get<0>(limit), n) << kind << 1 << QString(n, 'a') << QString(qMin(n, big), 'a') << true;
                QTest::addRow("%s small %d", std::get<0>(limit), n) << kind << 0 << QString(n, 'a') << QString(n, 'a') << (n <= big);
            }
            for (int n : {small - 1, small, small + 1})
                QTest::addRow("%s small %d", std::get<0>(limit), n) << kind << 0 << QString(n, 'a') << QString(qMin(n, small), 'a') << false;
        }
        QTest::newRow("remaining big six Chinese") << 3 << 1 << QString(6, QChar(0x4E00)) << QString(5, QChar(0x4E00)) << true;
        QTest::newRow("big lone surrogate counts") << 0 << 1 << QString(16, 'a') + QChar(0xD83D) << QString(16, 'a') << true;
    }
    void editorLimits()
    {
        QFETCH(int, kind);
        QFETCH(int, font);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(bool, fontEnabled);
        QDialg_add_Line d(Page, Page->Print_Line.data());
        d.QC_Type_Choose.setCurrentIndex(kind);
        d.QC_Font_Size.setCurrentIndex(font);
        d.QL_Contents.setText(typed);
        QCOMPARE(d.QL_Contents.text(), kept);
        QCOMPARE(d.QC_Font_Size.isEnabled(), fontEnabled);
    }

    void editorRemovesPlusWithOneWarningEach()
    {
        QDialg_add_Line d(Page, Page->Print_Line.data());
        TestSupport::ModalCatcher boxes;
        d.QL_Contents.setText("a++b");
        QCOMPARE(d.QL_Contents.text(), QStringLiteral("ab"));
        const QString warning = QStringLiteral("禁止使用特殊符号\"+\"请重新输入\r\n");
        QTRY_COMPARE(boxes.texts(), (QStringList{warning, warning}));
        QCOMPARE(boxes.titles().constFirst(), QStringLiteral("Warning"));
    }

    void editorKinds()
    {
        QDialg_add_Line d(Page, Page->Print_Line.data());
        d.QC_Font_Size.setCurrentIndex(1);
        d.QC_Type_Choose.setCurrentIndex(2); // time: small font, locked, a fresh sample
        QCOMPARE(d.QC_Font_Size.currentIndex(), 0);
        QVERIFY(!d.QC_Font_Size.isEnabled() && !d.QL_Contents.isEnabled());
        const QDateTime shown = QDateTime::fromString(d.QL_Contents.text(), "yyyy-MM-dd hh:mm:ss");
        QVERIFY(qAbs(shown.secsTo(QDateTime::currentDateTime())) <= 2);
        d.QC_Type_Choose.setCurrentIndex(1);
        QCOMPARE(d.QL_Contents.text(), QStringLiteral("类型:0001"));
        QVERIFY(!d.QL_Contents.isEnabled());
        d.QC_Type_Choose.setCurrentIndex(3);
        QVERIFY(d.QL_Contents.text().isEmpty() && d.QL_Contents.isEnabled() && !d.Lab_Colon_Hint.isHidden());
        d.QC_Type_Choose.setCurrentIndex(0);
        QVERIFY(d.Lab_Colon_Hint.isHidden());
    }

    // A line written from the editor and loaded back shows the controls it was written with:
    // "kind alignment(left centre right) font blank-lines".
    void editorReadsBackWhatItWrote_data()
    {
        QTest::addColumn<QString>("controls");
        for (const QChar kind : QStringLiteral("0123"))
            for (const char *align : {"100", "010", "001"})
                for (const QChar font : QStringLiteral("01"))
                    for (const QChar blank : QStringLiteral("0123"))
                        if (kind != '2' || font == '0') // a time line is small
                            QTest::addRow("%s", qPrintable(QStringLiteral("%1 %2 %3 %4").arg(kind).arg(align).arg(font).arg(blank)))
                                << QStringLiteral("%1 %2 %3 %4").arg(kind).arg(align).arg(font).arg(blank);
    }
    void editorReadsBackWhatItWrote()
    {
        QFETCH(QString, controls);
        QDialg_add_Line d(Page, Page->Print_Line.data());
        QRadioButton *const radios[] = {&d.QR_Left, &d.QR_Center, &d.QR_Right};
        const auto shown = [&] {
            QString aligned;
            for (QRadioButton *r : radios)
                aligned += r->isChecked() ? '1' : '0';
            return QStringLiteral("%1 %2 %3 %4").arg(d.QC_Type_Choose.currentIndex()).arg(aligned).arg(d.QC_Font_Size.currentIndex())
                .arg(d.QC_Blank_Line.currentIndex());
        };
        d.QC_Choose_Line.setCurrentIndex(7);
        d.QC_Type_Choose.setCurrentIndex(controls.left(1).toInt());
        if (d.QL_Contents.isEnabled())
            d.QL_Contents.setText("Wait:");
        const QString text = d.QL_Contents.text();
        d.QC_Font_Size.setCurrentIndex(controls.mid(6, 1).toInt());
        radios[controls.mid(2, 3).indexOf('1')]->setChecked(true);
        d.QC_Blank_Line.setCurrentIndex(controls.right(1).toInt());
        QCOMPARE(shown(), controls);
        Page->Print_Line[7] = d.currentRecord(); // what the add button sends
        d.QC_Choose_Line.setCurrentIndex(0); // an undefined line: every control back to its default
        d.QC_Choose_Line.setCurrentIndex(7);
        QCOMPARE(shown(), controls);
        if (!controls.startsWith('2')) // a time line shows a fresh sample
            QCOMPARE(d.QL_Contents.text(), text);
    }

    void editorEmitsRecords()
    {
        Set_Language_Code(Language_English);
        Page->Print_Line[2] = "ATPW+2+T+M+2024-03-02 09:05:00\r\n+SIZE:S+OK";
        Page->Print_Line[0] = "ATPW+0+N+M+Welcome\r\n\r\n+SIZE:B+OK";
        QDialg_add_Line d(Page, Page->Print_Line.data());
        QCOMPARE(d.currentRecord(), Page->Print_Line[0]); // line 1 loaded at the start
        QVERIFY(!d.QR_Real_time.isChecked() && d.Lab_Colon_Hint.isHidden());
        QCOMPARE(d.QC_Choose_Line.itemText(9), QStringLiteral("第10行"));
        QSignalSpy spy(&d, &QDialg_add_Line::Add_Button_signals);
        d.QC_Choose_Line.setCurrentIndex(2);
        d.QB_Add_Contents.click(); // a time line made in Chinese is added again in English, with a fresh sample
        const QRegularExpression english("\\AATPW\\+2\\+E\\+M\\+\\d\\d-[A-Z][a-z][a-z]-\\d{4} \\d\\d:\\d\\d:\\d\\d\r\n\\+SIZE:S\\+OK\\z");
        QVERIFY2(english.match(spy.last().at(0).toString()).hasMatch(), qPrintable(spy.last().at(0).toString()));
        d.QC_Choose_Line.setCurrentIndex(5); // an empty slot resets the controls
        QCOMPARE(d.currentRecord(), QStringLiteral("ATPW+5+N+L++SIZE:S+OK"));
        d.QB_Clear_ALL.click();
        QCOMPARE(spy.last().at(0).toString(), QStringLiteral("Clear_ALL_Contents"));
        QCOMPARE(spy.count(), 2); // nothing without live preview but the addition and the clear
    }

    void livePreviewNeverWritesAHalfLoadedLine()
    {
        const QString small = "ATPW+0+N+L+" + QString(29, 's') + "+SIZE:S+OK";
        const QString big = "ATPW+1+N+M+WELCOME+SIZE:B+OK";
        Page->SavePtint_Line_Contents(small);
        Page->SavePtint_Line_Contents(big);
        typeName(Page, 0)->setText("VIP");
        QDialg_add_Line d(Page, Page->Print_Line.data());
        connect(&d, &QDialg_add_Line::Add_Button_signals, Page, &Function_One::SavePtint_Line_Contents);
        QTest::mouseClick(&d.QR_Real_time, Qt::LeftButton);
        TestSupport::ModalCatcher boxes;
        for (int line : {1, 0, 1, 6})
            d.QC_Choose_Line.setCurrentIndex(line);
        QTest::qWait(50);
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(Page->Print_Line[0], small);
        QCOMPARE(Page->Print_Line[1], big);
        QVERIFY(Page->Print_Line[6].isEmpty()); // not taken over with the centred line's alignment
        QCOMPARE(typeName(Page, 0)->text(), QStringLiteral("VIP"));
        d.QL_Contents.setText("Hi"); // what the operator changes defines the line at once
        QCOMPARE(Page->Print_Line[6], QStringLiteral("ATPW+6+N+L+Hi+SIZE:S+OK"));
        d.QC_Blank_Line.setCurrentIndex(2);
        QCOMPARE(Page->Print_Line[6], QStringLiteral("ATPW+6+N+L+Hi\r\n\r\n+SIZE:S+OK"));
        QVERIFY(part<QTextBrowser>(Page, "Print_Preview")->toPlainText().contains("\nHi"));
    }

    void pageStoresBySlotAndRenders()
    {
        Page->SavePtint_Line_Contents("ATPW+3+N+M+Hello+SIZE:S+OK");
        QCOMPARE(Page->Print_Line[3], QStringLiteral("ATPW+3+N+M+Hello+SIZE:S+OK"));
        QCOMPARE(part<QTextBrowser>(Page, "Print_Preview")->toPlainText(), QStringLiteral("Hello"));
        Page->SavePtint_Line_Contents("ATPW+12+N+M+Bad+SIZE:S+OK");
        QCOMPARE(part<QTextBrowser>(Page, "Print_Preview")->toPlainText(), QStringLiteral("Hello"));
        Page->SavePtint_Line_Contents("Clear_ALL_Contents");
        QVERIFY(Page->Print_Line[3].isEmpty());
        QVERIFY(part<QTextBrowser>(Page, "Print_Preview")->toPlainText().isEmpty());
        for (int i = 0; i < 10; ++i) // a page longer than the preview: no scroll bar narrows the ticket
            Page->SavePtint_Line_Contents(QStringLiteral("ATPW+%1+N+L+%2\r\n\r\n\r\n+SIZE:S+OK").arg(i).arg(QString(128, 'x')));
        Page->show();
        QVERIFY(QTest::qWaitForWindowExposed(Page));
        QVERIFY(!part<QTextBrowser>(Page, "Print_Preview")->verticalScrollBar()->isVisible());
    }

    void faultyRecordEmptiesEverything()
    {
        Page->SavePtint_Line_Contents("ATPW+0+N+L+Good+SIZE:S+OK");
        typeName(Page, 0)->setText("VIP");
        TestSupport::ModalCatcher boxes;
        Page->SavePtint_Line_Contents("ATPW+5+N+L+" + QString(23, 'a') + "+SIZE:B+OK");
        QTRY_COMPARE(boxes.texts(), QStringList{"格式错误 006 或者文件可能已经损坏!!!"});
        QCOMPARE(boxes.titles(), QStringList{"Warning"});
        for (const QString &l : Page->Print_Line)
            QVERIFY(l.isEmpty());
        QVERIFY(part<QTextBrowser>(Page, "Print_Preview")->toPlainText().isEmpty());
        QVERIFY(typeName(Page, 0)->text().isEmpty());
    }

    void saveThenLoadGivesEverythingBack()
    {
        Page->SavePtint_Line_Contents("ATPW+0+N+M+欢迎光临+SIZE:B+OK");
        Page->SavePtint_Line_Contents("ATPW+5+N+L+Say \"hi\"\r\n\r\n+SIZE:S+OK");
        typeName(Page, 0)->setText("普通业务");
        typeName(Page, 4)->setText("\"Q\"");
        part<QComboBox>(Page, "QC_Network_ID")->setCurrentIndex(42);
        part<QComboBox>(Page, "QC_Auto_Clear")->setCurrentIndex(24);
        part<QComboBox>(Page, "QC_Sync_Restart")->setCurrentIndex(1);
        QVERIFY(Page->Save_FILE_Operation(Path));
        QVERIFY(!(QFile::permissions(Path) & QFile::WriteOwner));
        QVERIFY(Page->Save_FILE_Operation(Path)); // a read-only file is saved over again

        Function_One other(nullptr);
        other.OPEN_FILE_Operation(Path);
        QVERIFY(other.Save_FILE_Operation(Path + ".again")); // every line and name back as it was
        QCOMPARE(contentOf(Path + ".again"), contentOf(Path));
        QCOMPARE(typeName(&other, 4)->text(), QStringLiteral("\"Q\""));
        const auto index = [&other](const char *box) { return part<QComboBox>(&other, box)->currentIndex(); };
        QCOMPARE(QList<int>({index("QC_Network_ID"), index("QC_Auto_Clear"), index("QC_Sync_Restart")}), QList<int>({42, 24, 1}));
        QVERIFY(part<QTextBrowser>(&other, "Print_Preview")->toPlainText().contains(QStringLiteral("欢迎光临")));
    }

#ifdef Q_OS_UNIX
    void saveKeepsReadBits_data()
    {
        QTest::addColumn<int>("before"); // octal mode of the file before, 0 for none
        QTest::addColumn<int>("after");
        QTest::addColumn<int>("owner"); // of the file before; -1: this user
        QTest::newRow("new file") << 0 << 0444 << -1;
        QTest::newRow("private file stays private") << 0600 << 0400 << -1;
        QTest::newRow("group may read") << 0640 << 0440 << -1;
        QTest::newRow("read-only from the last save") << 0444 << 0444 << -1;
        QTest::newRow("another user's file keeps its owner and group") << 0640 << 0440 << 65534;
    }
    void saveKeepsReadBits()
    {
        QFETCH(int, before);
        QFETCH(int, after);
        QFETCH(int, owner);
        if (owner >= 0 && ::geteuid() != 0)
            QSKIP("needs root to save over another user's file");
        const auto mode = [](int octal) { return QFile::Permissions((octal & 0700) << 6 | (octal & 070) << 1 | (octal & 07)); };
        const mode_t umaskWas = ::umask(022);
        if (before)
            QVERIFY(writeFile(Path, "old", mode(before)));
        if (owner >= 0)
            QCOMPARE(::chown(QFile::encodeName(Path).constData(), uid_t(owner), gid_t(owner)), 0);
        QVERIFY(Page->Save_FILE_Operation(Path));
        ::umask(umaskWas);
        QCOMPARE(permissionsOf(Path), mode(after));
        struct stat st = {};
        QCOMPARE(::stat(QFile::encodeName(Path).constData(), &st), 0);
        QCOMPARE(QList<uint>({st.st_uid, st.st_gid}), owner >= 0 ? QList<uint>({uint(owner), uint(owner)}) : QList<uint>({::geteuid(), ::getegid()}));
    }
#endif

    void failedSaveKeepsOldFileAndSaysSo()
    {
        // A folder that cannot hold the file: its name is taken by a plain file (works even as root).
        const QString blocker = Dir->filePath("not-a-folder");
        QVERIFY(writeFile(blocker, "x"));
        TestSupport::ModalCatcher boxes;
        QVERIFY(!Page->Save_FILE_Operation(blocker + "/settings.ini"));
        QTRY_COMPARE(boxes.count(), 1);
        // What failed, where, why in the system's words, and what to do instead.
        const QStringList lines = boxes.texts().constFirst().split("\r\n");
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.at(0), QStringLiteral("配置文件保存失败,原文件未改动:"));
        QCOMPARE(lines.at(1), blocker + "/settings.ini");
        QCOMPARE(lines.at(2), QStringLiteral("Not a directory"));
        QCOMPARE(lines.at(3), QStringLiteral("可以用\"另存\"保存到其他文件夹."));
        QCOMPARE(contentOf(blocker), QByteArray("x"));
    }

    void folderWithoutRoomForANewFileGetsItWrittenInPlace()
    {
        // Nothing can be created beside a name at the file system's limit, even by root: saving
        // and the rewrite after a clean load write the file itself, quietly.
        const QString old = Dir->filePath(QString(250, 'n'));
        QVERIFY(writeFile(old, SettingsCodec::encode(goodSettings()) + "\n"));
        TestSupport::ModalCatcher boxes;
        Page->OPEN_FILE_Operation(old);
        QCOMPARE(typeName(Page, 3)->text(), QStringLiteral("VIP"));
        QCOMPARE(contentOf(old), SettingsCodec::encode(goodSettings()));
        typeName(Page, 0)->setText("New");
        QVERIFY(Page->Save_FILE_Operation(old));
        QCOMPARE(SettingsCodec::decode(contentOf(old)).settings.typeNames[0], QStringLiteral("New"));
        QVERIFY(!(QFile::permissions(old) & QFile::WriteOwner));
        QTest::qWait(50);
        QCOMPARE(boxes.count(), 0);
    }

    void loadErrors_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("code");
        QTest::newRow("type name with plus") << "type" << "A+B" << "020";
        QTest::newRow("network id 100") << "id" << "100" << "015";
        QTest::newRow("network id -1") << "id" << "-1" << "015";
        QTest::newRow("clearing 25") << "clear" << "25" << "016";
        QTest::newRow("restart 2") << "restart" << "2" << "017";
        QTest::newRow("faulty record") << "line" << "ATPW+5+N+L+a+SIZE:S+ok" << "008";
    }
    void loadErrors()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, code);
        SettingsCodec::Settings s = goodSettings();
        s.typeNames[1] = "ABCDEFGHIJKL"; // cut to 8 bytes as if typed, when the names are applied
        if (field == "type")
            s.typeNames[2] = value;
        else if (field == "id")
            s.networkIdIndex = value.toInt();
        else if (field == "clear")
            s.autoClearIndex = value.toInt();
        else if (field == "restart")
            s.syncRestartIndex = value.toInt();
        else
            s.lines[5] = value;
        const QByteArray content = SettingsCodec::encode(s);
        QVERIFY(writeFile(Path, content));
        part<QComboBox>(Page, "QC_Network_ID")->setCurrentIndex(5);
        TestSupport::ModalCatcher boxes;
        Page->OPEN_FILE_Operation(Path);
        QTRY_COMPARE(boxes.texts(), QStringList{QStringLiteral("格式错误 %1 或者文件可能已经损坏!!!").arg(code)});
        QCOMPARE(contentOf(Path), content); // never rewritten after a load that met an error
        // A type name with "+" stops the load; any other error lets the rest apply, and a report
        // empties the names (a faulty record is reported before the names are applied).
        QCOMPARE(typeName(Page, 3)->text() + typeName(Page, 1)->text(), field == "line" ? QStringLiteral("VIPABCDEFGH") : QString());
        QCOMPARE(part<QComboBox>(Page, "QC_Network_ID")->currentIndex(), field == "type" ? 5 : field == "id" ? 5 : 7);
        QCOMPARE(part<QComboBox>(Page, "QC_Auto_Clear")->currentIndex(), field == "type" || field == "clear" ? 0 : 24);
        QCOMPARE(part<QComboBox>(Page, "QC_Sync_Restart")->currentIndex(), field == "type" || field == "restart" ? 0 : 1);
        QVERIFY(Page->Print_Line[0].isEmpty() || field != "line");
    }

    // A cut file loads what it has; the log names what it lacks, and the file stays as it is.
    void fileMissingKeysIsNamed()
    {
        QByteArray ini = QByteArray::fromBase64(SettingsCodec::encode(goodSettings()));
        ini.replace("2%U53C2=1\n", "").replace("9%U884C=\n", "");
        QVERIFY(writeFile(Path, ini.toBase64()));
        TestSupport::ModalCatcher boxes;
        Page->OPEN_FILE_Operation(Path);
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(Page->Print_Line[0], goodSettings().lines[0]);
        QCOMPARE(part<QComboBox>(Page, "QC_Sync_Restart")->currentIndex(), 0);
        QVERIFY(part<QTextEdit>(Page, "USART_Log")->toPlainText().contains("配置文件缺少 9行, 2参, 按空值或 0 载入, 文件没有改写: " + Path));
        QCOMPARE(contentOf(Path), ini.toBase64());
    }

    // Open, the start argument and the default file: a file that is no settings file leaves the page
    // as it was and says why, each refusal in its own words.
    void filesThatAreNoSettingsFileLeaveThePage_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        const QString notSettings = "这不是配置文件";
        QTest::newRow("plain INI") << "file" << QByteArray("[General]\n0%U884C=ATPW+0+N+L+a+SIZE:S+OK\n0%U53C2=9\n") << notSettings;
        QTest::newRow("a picture") << "file" << QByteArray("\x89PNG\r\n\x1a\n") + TestSupport::randomBytes(3000, 7) << notSettings;
        QTest::newRow("a value nested 40,000 deep") << "file" << TestSupport::nestedVariantFile()
                                                    << "键 0行 的值是 @Variant(...) 形式的数据, 配置文件只存文字和数字";
        QTest::newRow("empty") << "file" << QByteArray() << "文件是空的";
        QTest::newRow("over 1 MiB") << "file" << QByteArray(1024 * 1024 + 1, 'A') << "文件太大: 1048577 字节, 最多 1048576 字节";
        QTest::newRow("missing") << "missing" << QByteArray() << "没有找到此文件";
        QTest::newRow("a folder") << "dir" << QByteArray() << "这是一个文件夹, 不是文件";
#ifdef Q_OS_UNIX
        QTest::newRow("a FIFO") << "fifo" << QByteArray() << "这不是普通文件 (设备或管道), 不能读取";
        QTest::newRow("an endless device") << "/dev/zero" << QByteArray() << "这不是普通文件 (设备或管道), 不能读取";
#endif
    }
    void filesThatAreNoSettingsFileLeaveThePage()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QString path = Path;
        if (kind == "file")
            QVERIFY(writeFile(Path, content));
        else if (kind == "dir")
            QVERIFY(QDir().mkdir(Path));
        else if (kind == "fifo")
            QCOMPARE(QProcess::execute("mkfifo", {Path}), 0);
        else if (kind.startsWith('/'))
            path = kind;
        Page->SavePtint_Line_Contents("ATPW+0+N+L+old+SIZE:S+OK");
        typeName(Page, 2)->setText("Kept");
        part<QComboBox>(Page, "QC_Network_ID")->setCurrentIndex(3);
        TestSupport::ModalCatcher boxes;
        Page->OPEN_FILE_Operation(path);
        QCOMPARE(boxes.texts(), QStringList{"配置文件没有打开, 页面没有改动:\r\n" + path + "\r\n" + reason});
        QCOMPARE(Page->Print_Line[0], QStringLiteral("ATPW+0+N+L+old+SIZE:S+OK"));
        QVERIFY(part<QTextBrowser>(Page, "Print_Preview")->toPlainText().contains("old"));
        QCOMPARE(typeName(Page, 2)->text(), QStringLiteral("Kept"));
        QCOMPARE(part<QComboBox>(Page, "QC_Network_ID")->currentIndex(), 3);
        if (kind == "file")
            QCOMPARE(contentOf(Path), content);
    }

    // Saving onto something that is no regular file of the user's refuses with a reason and
    // changes nothing there, not even a mode bit.
    void saveRefusedWhereItWouldHarm_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder") << "dir" << "这是一个文件夹, 不是文件";
#ifdef Q_OS_UNIX
        QTest::newRow("a FIFO") << "fifo" << "这不是普通文件 (设备或管道), 不能保存到这里";
        QTest::newRow("another user's link in a sticky shared folder") << "planted link"
                                                                        << "这是其他用户放在共享文件夹里的链接, 不会跟随它保存";
        QTest::newRow("own link to another user's link") << "chain" << "这是其他用户放在共享文件夹里的链接, 不会跟随它保存";
        QTest::newRow("another user's link as a folder on the way") << "folder link"
                                                                    << "这是其他用户放在共享文件夹里的链接, 不会跟随它保存";
#endif
    }
    void saveRefusedWhereItWouldHarm()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString victim = Dir->filePath("victim.txt");
        QVERIFY(writeFile(victim, "precious", QFile::ReadOwner | QFile::WriteOwner));
        if (kind == "dir") {
            QVERIFY(QDir().mkdir(Path));
        } else if (kind == "fifo") {
            QCOMPARE(QProcess::execute("mkfifo", {Path}), 0);
        } else {
#ifdef Q_OS_UNIX
            // As the kernel's protected_symlinks: only root can plant a link owned by someone else.
            if (::geteuid() != 0)
                QSKIP("needs root to give the link another owner");
            const QString shared = Dir->filePath("shared");
            QVERIFY(QDir().mkdir(shared));
            QCOMPARE(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
            const QString planted = shared + (kind == "folder link" ? "/folder" : "/settings.ini");
            QVERIFY(QFile::link(kind == "folder link" ? Dir->path() : victim, planted));
            QCOMPARE(::lchown(QFile::encodeName(planted).constData(), 65534, 65534), 0);
            Path = planted;
            if (kind == "chain") // the operator's own link leads to the planted one
                QVERIFY(QFile::link(planted, Path = Dir->filePath("mine.ini")));
            if (kind == "folder link")
                Path = planted + "/victim.txt";
#endif
        }
        const QFile::Permissions before = QFileInfo(Path).permissions();
        TestSupport::ModalCatcher boxes;
        QVERIFY(!Page->Save_FILE_Operation(Path));
        QCOMPARE(boxes.texts(), QStringList{"配置文件保存失败,原文件未改动:\r\n" + Path + "\r\n" + reason
                                            + "\r\n可以用\"另存\"保存到其他文件夹."});
        QCOMPARE(QFileInfo(Path).permissions(), before);
        QCOMPARE(contentOf(victim), QByteArray("precious"));
        QCOMPARE(permissionsOf(victim), QFile::ReadOwner | QFile::WriteOwner);
    }

#ifdef Q_OS_UNIX
    // Another user swaps a link to a file of root's in and out of a name in a shared sticky folder
    // while root saves there again and again: whatever the timing, the link is never followed.
    void linkSwappedInDuringSavesIsNeverFollowed()
    {
        if (::geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
            QSKIP("needs root and setpriv for a second user");
        const QString shared = Dir->filePath("shared"), name = shared + "/settings.ini", victim = Dir->filePath("victim.txt");
        QVERIFY(QDir().mkdir(shared));
        QCOMPARE(::chmod(QFile::encodeName(shared).constData(), 01777) + ::chmod(QFile::encodeName(Dir->path()).constData(), 0755), 0);
        QVERIFY(writeFile(victim, "precious", QFile::ReadOwner | QFile::WriteOwner));
        QProcess swapper;
        swapper.setWorkingDirectory(shared);
        swapper.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", "sh", "-c",
                                  "while :; do ln -sfn ../victim.txt l; mv -fT l settings.ini; echo x >f; mv -fT f settings.ini; done"});
        QVERIFY(swapper.waitForStarted());
        int saved = 0;
        QElapsedTimer clock;
        for (clock.start(); clock.elapsed() < 2000;) {
            saved += SettingsFile::replace(name, "settings");
            struct stat st = {};
            if (::lstat(QFile::encodeName(name).constData(), &st) == 0 && st.st_uid == 0)
                ::unlink(QFile::encodeName(name).constData()); // a file of root's the other user may not replace
        }
        swapper.kill();
        swapper.waitForFinished();
        QCOMPARE(contentOf(victim), QByteArray("precious"));
        QVERIFY(saved > 0);
    }

    // The file's other names see the new content: the user's own links (a chain of them too, the
    // links kept) and a second hard link, written in place.
    void otherNamesSeeTheNewContent_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("own link") << "link";
        QTest::newRow("own chain of links") << "chain";
        QTest::newRow("hard link") << "hard";
    }
    void otherNamesSeeTheNewContent()
    {
        QFETCH(QString, kind);
        const QString real = Dir->filePath("real.ini");
        QVERIFY(writeFile(real, "old"));
        if (kind == "hard") {
            QCOMPARE(::link(QFile::encodeName(real).constData(), QFile::encodeName(Path).constData()), 0);
        } else {
            QVERIFY(QFile::link(real, kind == "chain" ? Path + ".2" : Path));
            QVERIFY(kind != "chain" || QFile::link(Path + ".2", Path));
        }
        struct stat before = {}, after = {};
        QCOMPARE(::stat(QFile::encodeName(real).constData(), &before), 0);
        QVERIFY(Page->Save_FILE_Operation(Path));
        QCOMPARE(QFileInfo(Path).isSymLink(), kind != "hard");
        QCOMPARE(contentOf(real), SettingsCodec::encode(SettingsCodec::Settings()));
        QCOMPARE(contentOf(Path), contentOf(real));
        QCOMPARE(::stat(QFile::encodeName(real).constData(), &after), 0);
        QCOMPARE(after.st_ino == before.st_ino, kind == "hard");
        QCOMPARE(permissionsOf(real) & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther), QFile::Permissions());
    }
#endif

private:
    QScopedPointer<QTemporaryDir> Dir;
    Function_One *Page = nullptr;
    QString Path;
};

QTEST_MAIN(tst_TicketPage)
#include "tst_ticket_page.moc"
