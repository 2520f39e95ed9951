// What a unit receives and answers, byte for byte and in order, for a fixed set of actions through
// the real window and tqmanage-cli: a settings file and every settings batch, a pairing added and
// deleted, a firmware transfer. The journals kept in tests/fixtures/journals were taken from a
// build known to be right; TQ_WRITE_JOURNALS=1 writes them anew. Times are held to the batch's
// pace only: the next command goes out on a tick of its timer, never on the acknowledgement itself.
#include "app/AppSetup.h"
#include "app/MainWindow.h"
#include "device/Bootloader_Handle.h"
#include "device/Pair_Mode_Handle.h"
#include "protocol/CommandBatch.h"
#include "testsupport/BatchWindow.h"
#include "testsupport/PageState.h"
#include "ticket/Language.h"
#include "ticket/SettingsCodec.h"
#include "ticket/SystemDir.h"

#include <QAction>
#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using TestSupport::part;

namespace {
// The journal as "rx HEX" and "tx HEX" lines; the clock a unit is given depends on the hour the test
// runs, so its digits are masked (after checking their form).
struct Wire {
    QStringList lines;
    QList<QDateTime> times;
    QString problem;
};

Wire wireOf(const SimUnderTest &sim)
{
    static const QRegularExpression clock(QStringLiteral("\\AATTW\\+\\d\\d-\\d\\d-\\d\\d-0[1-7]-\\d\\d-\\d\\d-\\d\\d\\+OK\\z"));
    Wire wire;
    for (const QJsonObject &e : sim.journal()) {
        const QString dir = e.value("dir").toString();
        if (dir != "rx" && dir != "tx")
            continue;
        QByteArray bytes = QByteArray::fromHex(e.value("hex").toString().toLatin1());
        if (bytes.startsWith("ATTW+") && dir == "rx") {
            if (!clock.match(QString::fromLatin1(bytes)).hasMatch())
                wire.problem = "clock command of the wrong form: " + QString::fromLatin1(bytes);
            bytes = "ATTW+yy-MM-dd-ww-hh-mm-ss+OK";
        }
        wire.lines << dir + ' ' + QString::fromLatin1(bytes.toHex());
        wire.times << QDateTime::fromString(e.value("time").toString(), Qt::ISODateWithMs);
    }
    return wire;
}

// A batch's commands go out 120 ms apart before its first advance and 250 ms apart after, each
// on the first tick after its acknowledgement came in.
QString paceProblem(const Wire &wire)
{
    const auto verb = [&wire](int i) { return QByteArray::fromHex(wire.lines.at(i).mid(3).toLatin1()).left(4); };
    const QList<QByteArray> batchVerbs{"ATPW", "ATLW", "ATNW", "ATTW", "ATRW"};
    int previous = -1; // the batch's last command
    int sentInBatch = 0;
    for (int i = 0; i < wire.lines.size(); ++i) {
        if (!wire.lines.at(i).startsWith("rx"))
            continue;
        if (!batchVerbs.contains(verb(i))) {
            previous = -1;
            continue;
        }
        if (previous < 0 || verb(previous) != verb(i)) {
            previous = i;
            sentInBatch = 1;
            continue;
        }
        const int tick = sentInBatch == 1 ? CommandBatch::FirstPollMs : CommandBatch::LaterPollMs;
        const qint64 gap = wire.times.at(previous).msecsTo(wire.times.at(i));
        const qint64 sinceAck = wire.times.at(i - 1).msecsTo(wire.times.at(i));
        // The simulator stamps a command when it reads it; on a busy machine it may read one late and
        // the next on time. A batch that advanced on the reply would show a few milliseconds.
        if (gap < tick - 25 || !wire.lines.at(i - 1).startsWith("tx") || sinceAck > tick + 600)
            return QStringLiteral("command %1 of %2: %3 ms after the last one, %4 ms after the acknowledgement")
                .arg(sentInBatch + 1).arg(QString::fromLatin1(verb(i))).arg(gap).arg(sinceAck);
        previous = i;
        ++sentInBatch;
    }
    return QString();
}

SettingsCodec::Settings shopSettings()
{
    SettingsCodec::Settings s;
    s.lines[0] = QStringLiteral("ATPW+0+N+M+欢迎光临+SIZE:B+OK");
    s.lines[1] = QStringLiteral("ATPW+1+S+M+ +SIZE:B+OK");
    s.lines[3] = QStringLiteral("ATPW+3+T+R+ +SIZE:S+OK");
    s.lines[4] = QStringLiteral("ATPW+4+R+L+前面还有:人等待\r\n+SIZE:S+OK");
    s.typeNames[1] = QStringLiteral("普通");
    s.typeNames[4] = QStringLiteral("VIP");
    s.networkIdIndex = 42;
    s.autoClearIndex = 8;
    s.syncRestartIndex = 1;
    return s;
}

bool goOnline(MainWindow &w, const QString &port)
{
    if (!w.connectTo(port))
        return false;
    QPushButton *button = part<QPushButton>(w.Ticket_Page, "Pair_Set_Push");
    QElapsedTimer clock;
    for (clock.start(); !button->isEnabled() && clock.elapsed() < 5000;)
        QTest::qWait(20);
    return button->isEnabled();
}
} // namespace

class tst_Journals : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppSetup::initResources();
        QVERIFY(Dir.isValid());
        SystemDir::setOverride(Dir.path());
        Settings_Path = Dir.filePath("shop.ini");
        QVERIFY(TestSupport::writeFile(Settings_Path, SettingsCodec::encode(shopSettings())));
        Image_Path = Dir.filePath("image.bin");
        QVERIFY(TestSupport::writeFile(Image_Path, TestSupport::randomBytes(2100, 2100)));
    }
    void init()
    {
        Set_Language_Code(Language_Chinese);
    }

    void journals_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QStringList>("simOptions");
        QTest::addColumn<QStringList>("cli"); // empty: the window; FILE and IMAGE stand for the test's files
        QTest::newRow("window: settings file, every settings batch") << "window-batches" << QStringList{} << QStringList{};
        QTest::newRow("window: pairing added and deleted") << "window-pairing" << QStringList{"--key-delay", "100"} << QStringList{};
        QTest::newRow("window: firmware transfer") << "window-upgrade" << QStringList{"--bootloader"} << QStringList{};
        QTest::newRow("cli: apply with the clock") << "cli-apply" << QStringList{}
                                                   << QStringList{"apply", "FILE", "--clock", "--unit-language", "en"};
        QTest::newRow("cli: reset") << "cli-reset" << QStringList{} << QStringList{"reset", "--yes"};
        QTest::newRow("cli: upgrade") << "cli-upgrade" << QStringList{"--bootloader"} << QStringList{"upgrade", "IMAGE"};
    }
    void journals()
    {
        QFETCH(QString, fixture);
        QFETCH(QStringList, simOptions);
        QFETCH(QStringList, cli);
        SimUnderTest sim(simOptions);
        QVERIFY(sim.started());
        if (cli.isEmpty())
            runWindow(fixture, sim);
        else
            runCli(cli, sim);
        if (QTest::currentTestFailed())
            return;
        const Wire wire = wireOf(sim);
        QVERIFY2(wire.problem.isEmpty(), qPrintable(wire.problem));
        const QString pace = paceProblem(wire);
        QVERIFY2(pace.isEmpty(), qPrintable(pace));
        const QString path = QStringLiteral(TQ_SOURCE_DIR "/tests/fixtures/journals/%1.txt").arg(fixture);
        if (qEnvironmentVariableIsSet("TQ_WRITE_JOURNALS")) {
            QVERIFY(TestSupport::writeFile(path, (wire.lines.join('\n') + '\n').toLatin1(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
            return;
        }
        const QStringList expected = QString::fromLatin1(TestSupport::contentOf(path)).split('\n', Qt::SkipEmptyParts);
        QVERIFY2(!expected.isEmpty(), qPrintable(path));
        for (int i = 0; i < qMax(expected.size(), wire.lines.size()); ++i)
            QVERIFY2(wire.lines.value(i) == expected.value(i), qPrintable(QStringLiteral("entry %1: got \"%2\", kept \"%3\"")
                                                                        .arg(i).arg(wire.lines.value(i).left(120), expected.value(i).left(120))));
    }

private:
    void runWindow(const QString &fixture, const SimUnderTest &sim)
    {
        StartOptions options;
        options.connectPort = sim.port();
        MainWindow w(nullptr, options);
        QVERIFY(goOnline(w, sim.port()));
        Function_One *page = w.Ticket_Page;
        if (fixture == "window-batches") {
            w.desktop.chooseFile = [this](QWidget *, QFileDialog::AcceptMode, const QString &) { return Settings_Path; };
            w.ui->Open_file->trigger();
            for (const char *button : {"Print_Write_Push", "TYPE_PB_SET", "PB_ID_sned", "PB_Time_syn_sned", "PB_Rec_sned"})
                QCOMPARE(TestSupport::runBatch(part<QPushButton>(page, button), 10000).progress, 100);
        } else if (fixture == "window-pairing") {
            for (const int mode : {0, 1}) {
                part<QComboBox>(page, "QC_Pair_Mode")->setCurrentIndex(mode);
                const TestSupport::ModalCatcher pairing(TestSupport::once([mode](QWidget *m) {
                    auto *d = qobject_cast<Pair_Mode_Handle *>(m);
                    QTRY_COMPARE(d->Type_State[4]->text(), QStringLiteral("类型 5 : ---")); // the unit's pairings were read
                    d->Set_up_Button->click();
                    QTRY_COMPARE(d->State_Text->text(), mode == 0 ? QStringLiteral("类型 1 匹配成功.") : QStringLiteral("类型 1 删除成功."));
                }));
                part<QPushButton>(page, "Pair_Set_Push")->click();
            }
        } else {
            w.chooseFirmwareImage = [this](QWidget *) { return Image_Path; };
            bool started = false;
            const TestSupport::ModalCatcher upgrade([&started](QWidget *m) {
                auto *d = qobject_cast<Bootloader_Handle *>(m);
                if (!std::exchange(started, true)) {
                    d->Open_Button->click();
                    d->Update_Button->click();
                    return false;
                }
                return d->Info_Text.toPlainText().contains(QStringLiteral("升级完成5s后进入主程序..."));
            });
            w.ui->Boot_Handl->trigger();
        }
    }

    void runCli(QStringList arguments, const SimUnderTest &sim)
    {
        arguments.replaceInStrings(QRegularExpression("^FILE$"), Settings_Path).replaceInStrings(QRegularExpression("^IMAGE$"), Image_Path);
        QProcess process;
        process.start(QStringLiteral(TQ_CLI_PATH), arguments + QStringList{"--port", sim.port(), "--record", Dir.filePath("record.jsonl")});
        QVERIFY(process.waitForFinished(60000));
        QVERIFY2(process.exitCode() == 0, process.readAllStandardOutput().constData());
    }

    QTemporaryDir Dir;
    QString Settings_Path;
    QString Image_Path;
};

QTEST_MAIN(tst_Journals)
#include "tst_journals.moc"
