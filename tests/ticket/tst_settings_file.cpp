#include "app/AppSetup.h"
#include "app/Language.h"
#include "device/Function_One.h"
#include "testsupport/TestSupport.h"
#include "ticket/SettingsCodec.h"
#include "ticket/SettingsFile.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

namespace {
QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

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
} // namespace

class tst_SettingsFile : public QObject
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
    void cleanup()
    {
        delete Page;
        QFile::setPermissions(Path, QFile::ReadOwner | QFile::WriteOwner);
    }

    void saveThenLoadGivesEverythingBack()
    {
        Page->SavePtint_Line_Contents("ATPW+0+N+M+欢迎光临+SIZE:B+OK");
        Page->SavePtint_Line_Contents("ATPW+5+N+L+Say \"hi\"\r\n\r\n+SIZE:S+OK");
        Page->QL_Type_Name[0]->setText("普通业务");
        Page->QL_Type_Name[4]->setText("\"Q\"");
        Page->QC_Network_ID->setCurrentIndex(42);
        Page->QC_Auto_Clear->setCurrentIndex(24);
        Page->QC_Sync_Restart->setCurrentIndex(1);
        QVERIFY(Page->Save_FILE_Operation(Path));
        QVERIFY(SettingsFile::isReadOnly(Path));

        Function_One other(nullptr);
        other.OPEN_FILE_Operation(Path);
        for (int i = 0; i < 10; ++i)
            QCOMPARE(other.Print_Line[i], Page->Print_Line[i]);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(other.QL_Type_Name[i]->text(), Page->QL_Type_Name[i]->text());
        QCOMPARE(other.QC_Network_ID->currentIndex(), 42);
        QCOMPARE(other.QC_Auto_Clear->currentText(), QStringLiteral("23:00"));
        QCOMPARE(other.QC_Sync_Restart->currentIndex(), 1);
        QVERIFY(other.Print_Preview->toPlainText().contains(QStringLiteral("欢迎光临")));
    }

    void savedFileIsReadOnlyAndCanBeSavedAgain()
    {
        QVERIFY(Page->Save_FILE_Operation(Path));
        QVERIFY(SettingsFile::isReadOnly(Path));
        Page->QL_Type_Name[1]->setText("Again");
        QVERIFY(Page->Save_FILE_Operation(Path));
        QVERIFY(SettingsFile::isReadOnly(Path));
        QCOMPARE(SettingsCodec::decode(contentOf(Path)).settings.typeNames[1], QStringLiteral("Again"));
    }

    void failedSaveKeepsOldFileAndSaysSo()
    {
        // A folder that cannot hold the file: its name is taken by a plain file (works even as root).
        const QString blocker = Dir->filePath("not-a-folder");
        writeFile(blocker, "x");
        QString text;
        TestSupport::answerNextModal([&text](QWidget *w) { text = qobject_cast<QMessageBox *>(w)->text(); });
        QVERIFY(!Page->Save_FILE_Operation(blocker + "/settings.ini"));
        QVERIFY(text.startsWith(QStringLiteral("配置文件保存失败")));
        QCOMPARE(contentOf(blocker), QByteArray("x"));
    }

    void failedSaveOverAnExistingFileKeepsIt()
    {
        // The replacement is written beside the file first; with a name at the file system's limit
        // that cannot be created, even as root, while the old file itself is there.
        const QString old = Dir->filePath(QString(250, 'n'));
        const QByteArray before = SettingsCodec::encode(goodSettings());
        writeFile(old, before);
        QVERIFY(QFile::exists(old));
        Page->QL_Type_Name[0]->setText("New");
        TestSupport::ModalCatcher boxes;
        QVERIFY(!Page->Save_FILE_Operation(old));
        QTRY_COMPARE(boxes.count(), 1);
        QCOMPARE(contentOf(old), before);
        QFile::setPermissions(old, QFile::ReadOwner | QFile::WriteOwner);
    }

    void loadRewritesFileFromWhatWasLoaded()
    {
        writeFile(Path, SettingsCodec::encode(goodSettings()) + "\n");
        Page->OPEN_FILE_Operation(Path);
        QCOMPARE(Page->QL_Type_Name[3]->text(), QStringLiteral("VIP"));
        QCOMPARE(contentOf(Path), SettingsCodec::encode(goodSettings()));
        QVERIFY(SettingsFile::isReadOnly(Path));
    }

    void errorCodes_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("code");
        QTest::newRow("type name with plus") << "type" << "A+B" << "020";
        QTest::newRow("network id 100") << "id" << "100" << "015";
        QTest::newRow("network id -1") << "id" << "-1" << "015";
        QTest::newRow("clearing 25") << "clear" << "25" << "016";
        QTest::newRow("restart 2") << "restart" << "2" << "017";
        QTest::newRow("faulty record") << "line" << "ATPW+3+X+L+a+SIZE:S+OK" << "003";
    }
    void errorCodes()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, code);
        SettingsCodec::Settings s = goodSettings();
        if (field == "type")
            s.typeNames[2] = value;
        else if (field == "id")
            s.networkIdIndex = value.toInt();
        else if (field == "clear")
            s.autoClearIndex = value.toInt();
        else if (field == "restart")
            s.syncRestartIndex = value.toInt();
        else
            s.lines[3] = value;
        const QByteArray content = SettingsCodec::encode(s);
        writeFile(Path, content);

        TestSupport::ModalCatcher boxes;
        Page->OPEN_FILE_Operation(Path);
        QTRY_VERIFY(boxes.count() >= 1);
        QCOMPARE(boxes.texts().constFirst(), QStringLiteral("格式错误 %1 或者文件可能已经损坏!!!").arg(code));
        QCOMPARE(contentOf(Path), content); // never damaged by a load that met an error
    }

    void parameterErrorDoesNotStopTheOthers()
    {
        SettingsCodec::Settings s = goodSettings();
        s.networkIdIndex = 100;
        writeFile(Path, SettingsCodec::encode(s));
        Page->QC_Network_ID->setCurrentIndex(5);
        TestSupport::ModalCatcher boxes;
        Page->OPEN_FILE_Operation(Path);
        QCOMPARE(Page->QC_Network_ID->currentIndex(), 5);
        QCOMPARE(Page->QC_Auto_Clear->currentIndex(), 24);
        QCOMPARE(Page->QC_Sync_Restart->currentIndex(), 1);
    }

    void faultyRecordStillAppliesNamesAndParameters()
    {
        SettingsCodec::Settings s = goodSettings();
        s.lines[5] = "ATPW+5+N+L+a+SIZE:S+ok";
        writeFile(Path, SettingsCodec::encode(s));
        TestSupport::ModalCatcher boxes;
        Page->OPEN_FILE_Operation(Path);
        QTRY_COMPARE(boxes.count(), 1);
        QVERIFY(Page->Print_Line[0].isEmpty());
        QCOMPARE(Page->QL_Type_Name[3]->text(), QStringLiteral("VIP"));
        QCOMPARE(Page->QC_Network_ID->currentIndex(), 7);
    }

    void longStoredNameIsCut()
    {
        SettingsCodec::Settings s = goodSettings();
        s.typeNames[1] = "ABCDEFGHIJKL";
        writeFile(Path, SettingsCodec::encode(s));
        Page->OPEN_FILE_Operation(Path);
        QCOMPARE(Page->QL_Type_Name[1]->text(), QStringLiteral("ABCDEFGH"));
    }

    void foreignFilesLoadAsDefaultsAndStayUntouched_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("plain INI") << QByteArray("[General]\n0%U884C=ATPW+0+N+L+a+SIZE:S+OK\n0%U53C2=9\n");
        QByteArray noise(8192, '\0');
        QRandomGenerator rng(7);
        for (char &c : noise)
            c = char(rng.bounded(256));
        QTest::newRow("random binary") << noise;
        QTest::newRow("empty") << QByteArray();
    }
    void foreignFilesLoadAsDefaultsAndStayUntouched()
    {
        QFETCH(QByteArray, content);
        writeFile(Path, content);
        Page->SavePtint_Line_Contents("ATPW+0+N+L+old+SIZE:S+OK");
        Page->QC_Network_ID->setCurrentIndex(3);
        Page->OPEN_FILE_Operation(Path);
        QVERIFY(Page->Print_Line[0].isEmpty());
        QCOMPARE(Page->QC_Network_ID->currentIndex(), 0);
        QCOMPARE(contentOf(Path), content);
    }

private:
    QScopedPointer<QTemporaryDir> Dir;
    Function_One *Page = nullptr;
    QString Path;
};

QTEST_MAIN(tst_SettingsFile)
#include "tst_settings_file.moc"
