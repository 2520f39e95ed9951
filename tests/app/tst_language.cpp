#include "app/Language.h"
#include "app/SystemDir.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class tst_Language : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(Dir.isValid());
        SystemDir::setOverride(Dir.path());
        QFile::remove(Dir.filePath(QStringLiteral("Language.ini")));
        Set_Language_Code(Language_Chinese);
    }
    void cleanup() { SystemDir::setOverride(QString()); }

    void storedValue_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("code");
        QTest::newRow("no file") << false << QByteArray() << 0;
        QTest::newRow("English") << true << QByteArray("[General]\nLanguage=English\n") << 1;
        QTest::newRow("Poland") << true << QByteArray("[General]\nLanguage=Poland\n") << 2;
        QTest::newRow("Chinese") << true << QByteArray("[General]\nLanguage=Chinese\n") << 0;
        QTest::newRow("english lower case") << true << QByteArray("[General]\nLanguage=english\n") << 0;
        QTest::newRow("Polish is not Poland") << true << QByteArray("[General]\nLanguage=Polish\n") << 0;
        QTest::newRow("key missing") << true << QByteArray("[General]\nOther=English\n") << 0;
        QTest::newRow("empty file") << true << QByteArray() << 0;
        QTest::newRow("in another group") << true << QByteArray("[Lang]\nLanguage=English\n") << 0;
        QTest::newRow("binary rubbish") << true << QByteArray("\x01\xff\xfe=\x00zz", 7) << 0;
    }
    void storedValue()
    {
        QFETCH(bool, fileExists);
        QFETCH(QByteArray, content);
        QFETCH(int, code);
        if (fileExists)
            writeLanguageFile(content);
        QCOMPARE(int(Read_Language(true)), code);
        QCOMPARE(int(Read_Language(false)), code);
    }

    void changeWhileRunningCountsOnlyAfterReload()
    {
        writeLanguageFile("[General]\nLanguage=English\n");
        QCOMPARE(int(Read_Language(true)), 1);
        writeLanguageFile("[General]\nLanguage=Poland\n");
        QCOMPARE(int(Read_Language(false)), 1);
        QCOMPARE(int(Read_Language(true)), 2);
    }

    void systemDirRule()
    {
        SystemDir::setOverride(QString());
        QCOMPARE(SystemDir::filePath(QStringLiteral("Language.ini")),
                 QCoreApplication::applicationDirPath() + QStringLiteral("/System/Language.ini"));
        SystemDir::setOverride(QStringLiteral("/opt/tq"));
        QCOMPARE(SystemDir::filePath(QStringLiteral("Update log.ini")), QStringLiteral("/opt/tq/Update log.ini"));
    }

private:
    void writeLanguageFile(const QByteArray &content)
    {
        QFile f(Dir.filePath(QStringLiteral("Language.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }
    QTemporaryDir Dir;
};

QTEST_GUILESS_MAIN(tst_Language)
#include "tst_language.moc"
