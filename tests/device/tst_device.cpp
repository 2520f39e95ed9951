// The device page: connection and state reply, the settings batches it sends, and pairing.
#include "app/AppSetup.h"
#include "ticket/Language.h"
#include "device/Bootloader_Handle.h"
#include "device/ElidingLineEdit.h"
#include "device/Function_One.h"
#include "device/Function_USART.h"
#include "device/LogView.h"
#include "device/PageHelpers.h"
#include "device/Pair_Mode_Handle.h"
#include "device/QDialg_add_Line.h"
#include "protocol/ActionTrace.h"
#include "protocol/CommandBatch.h"
#include "protocol/PairingReply.h"
#include "protocol/StateReply.h"
#include "serial/IFunction.h"
#include "testsupport/BatchWindow.h"
#include "testsupport/PageState.h"
#include "ticket/Gbk.h"
#include "ticket/RecordFile.h"
#include "ticket/SettingsCodec.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTranslator>
#include <QtTest>

#ifdef __linux__
#include <atomic>
#include <sys/syscall.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

// The PC's clock as the program sees it, so a test can set it back like an operator would.
static std::atomic<long> WallClockBackSeconds{0};
extern "C" int gettimeofday(struct timeval *tv, void *tz)
{
    const int r = int(::syscall(SYS_gettimeofday, tv, tz));
    tv->tv_sec -= WallClockBackSeconds;
    return r;
}
extern "C" int clock_gettime(clockid_t id, struct timespec *ts)
{
    const int r = int(::syscall(SYS_clock_gettime, id, ts));
    if (id == CLOCK_REALTIME || id == CLOCK_REALTIME_COARSE)
        ts->tv_sec -= WallClockBackSeconds;
    return r;
}
#endif

namespace {
using TestSupport::connectionState;
using TestSupport::Disconnected;
using TestSupport::commandButtons;
using TestSupport::part;
using TestSupport::typeName;

// The serial service and, optionally, a unit that acknowledges every settings command 10 ms later.
class FakeSerial : public IFunction
{
public:
    QStringList USART_COM_List() override { return ports; }
    bool USART_Open(const QString &COM) override
    {
        opened << COM;
        sinceOpen.start();
        if (openSucceeds && linkReady) // a serial port is ready at once, after the open has returned
            QTimer::singleShot(0, receiver, [this] { receiver->Link_Ready(); });
        return openSucceeds;
    }
    void USART_Close() override { ++closes; }
    QString USART_COM_Location(const QString &entry) const override { return locations.value(entry, entry.mid(entry.indexOf('/'))); }
    QString USART_COM_Details(const QString &entry) const override { return details.value(entry); }
    QString USART_COM_Unit_Name(const QString &entry) const override { return names.value(entry); }
    SerialLink::Failure USART_Open_Failure() const override { return {"No such file or directory", false}; }
    void USART_Send(const QString &str) override
    {
        sent << str;
        sentAfterMs << sinceOpen.elapsed();
        const QString verb = str.left(4);
        const QString reply = verb == "ATLW" || verb == "ATNW" ? verb + str.mid(4, 3) + "OK!\r\n"
                            : verb == "ATTW"                   ? "ATTW+43+OK!\r\n"
                            : verb == "ATRW"                   ? "ATRW+51+OK!\r\n"
                                                               : QString();
        if (page && !reply.isEmpty())
            QTimer::singleShot(10, page, [this, reply] { page->Receive_Data(reply); });
    }

    Function_One *page = nullptr; // set to let the unit answer
    Function_One *receiver = nullptr;
    QStringList ports;
    QHash<QString, QString> locations, details, names; // units found on the network
    bool openSucceeds = true;
    bool linkReady = true; // false: a server that is never reached
    QStringList opened;
    int closes = 0;
    QStringList sent;
    QList<qint64> sentAfterMs;
    QElapsedTimer sinceOpen;
};
} // namespace

class tst_Device : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { AppSetup::initResources(); }
    void init()
    {
        Set_Language_Code(Language_Chinese);
        Serial = FakeSerial();
        Page = new Function_One(nullptr);
        Page->Set_Function(&Serial);
        Serial.receiver = Page;
    }
    void cleanup() { delete Page; }

    void initialState()
    {
        QCOMPARE(connectionState(Page), Disconnected);
        QCOMPARE(commandButtons(Page).size(), 6);
        const auto item = [this](const char *box, int i) { return part<QComboBox>(Page, box)->itemText(i); };
        const QStringList items{item("QC_Network_ID", 99), item("QC_Auto_Clear", 0), item("QC_Auto_Clear", 1),
                                item("QC_Auto_Clear", 24), item("QC_Sync_Restart", 0), item("QC_Pair_Mode", 1)};
        QCOMPARE(items, (QStringList{"99", "禁止", "00:00", "23:00", "允许", "删除取号器"}));
    }

    void portBoxRefreshRule()
    {
        Serial.ports = QStringList{"A/dev/ttyUSB0", "B/dev/ttyUSB1"};
        Page->Function_USART_COM_LA_UPDAT();
        QCOMPARE(Page->COM_Count, 2);
        part<QComboBox>(Page, "QC_COM_Choose")->setCurrentIndex(1);
        Serial.ports = QStringList{"A/dev/ttyUSB0", "C/dev/ttyUSB7"}; // same count: kept, selection too
        Page->Function_USART_COM_LA_UPDAT();
        QCOMPARE(part<QComboBox>(Page, "QC_COM_Choose")->itemText(1), QStringLiteral("B/dev/ttyUSB1"));
        QCOMPARE(part<QComboBox>(Page, "QC_COM_Choose")->currentIndex(), 1);
        Serial.ports << "D/dev/ttyUSB8"; // another count: refilled, first entry selected
        Page->Function_USART_COM_LA_UPDAT();
        QCOMPARE(part<QComboBox>(Page, "QC_COM_Choose")->count(), 3);
        QCOMPARE(part<QComboBox>(Page, "QC_COM_Choose")->currentIndex(), 0);
        QCOMPARE(part<QComboBox>(Page, "QC_COM_Choose")->itemText(1), QStringLiteral("C/dev/ttyUSB7"));
    }

    // A unit found on the network: its entry says where it leads, follows it to a new address
    // without a refill, and the state label tells where the connected unit is.
    void foundUnitEntry()
    {
        const QString unit = "tq-unit-01 (RFC 2217)", details = "rfc2217://192.0.2.11:7001\nfound on the network";
        Serial.ports = QStringList{"A/dev/ttyUSB0", unit};
        Serial.locations[unit] = "rfc2217://192.0.2.10:7001";
        Page->Function_USART_COM_LA_UPDAT();
        auto *box = part<QComboBox>(Page, "QC_COM_Choose");
        box->setCurrentIndex(1);
        Serial.locations[unit] = "rfc2217://192.0.2.11:7001"; // a new lease, same count: no refill
        Serial.details[unit] = details;
        Page->Function_USART_COM_LA_UPDAT();
        QCOMPARE(box->currentIndex(), 1);
        QCOMPARE(box->itemData(1, Qt::AccessibleDescriptionRole).toString(), details);
        QCOMPARE(box->itemData(0, Qt::ToolTipRole), QVariant());
        QCOMPARE(QStringList({box->toolTip(), box->accessibleDescription()}), QStringList({details, details}));
        part<QPushButton>(Page, "QB_OPEN_USART")->click();
        QCOMPARE(Serial.opened, QStringList{"rfc2217://192.0.2.11:7001"});
        auto *state = part<QLabel>(Page, "State_Label");
        QVERIFY2(state->toolTip().contains(details), qPrintable(state->toolTip()));
        part<QPushButton>(Page, "QB_OPEN_USART")->click();
        QCOMPARE(state->toolTip(), QString());
        box->setCurrentIndex(0); // a local port says it all in its entry
        QCOMPARE(QStringList({box->toolTip(), box->accessibleDescription()}), QStringList({"A/dev/ttyUSB0", ""}));
        box->setCurrentIndex(1);
        box->setEditText("/dev/pts/7"); // being typed while the unit moves again
        Serial.locations[unit] = "rfc2217://192.0.2.12:7001";
        Page->Function_USART_COM_LA_UPDAT();
        QCOMPARE(box->itemData(1).toString(), Serial.locations[unit]);
        QCOMPARE(box->currentText(), QStringLiteral("/dev/pts/7"));
    }

    // Three shops with one key file: listed as scheme://host:port, the whole address in the tooltip.
    void serversListedShort()
    {
        Function_USART service(nullptr);
        const QString files = "?ca=/k/ca.pem&cert=/k/office.pem&key=/k/office.key";
        for (const char *host : {"shop-north.example", "shop-south.example", "[2001:db8::10]"})
            service.Add_Extra_Port(QStringLiteral("rfc2217+tls://%1:7443").arg(host) + files);
        Page->Set_Function(&service);
        Page->Function_USART_COM_LA_UPDAT();
        auto *box = part<QComboBox>(Page, "QC_COM_Choose");
        const int south = box->findText("rfc2217+tls://shop-south.example:7443");
        QVERIFY(south >= 0 && box->findText("rfc2217+tls://[2001:db8::10]:7443") >= 0);
        QCOMPARE(box->itemData(south).toString(), "rfc2217+tls://shop-south.example:7443" + files);
        box->setCurrentIndex(south);
        QCOMPARE(box->toolTip(), "rfc2217+tls://shop-south.example:7443" + files);
    }

    void connectSendsStateQueryAfterPause()
    {
        Page->USART_COM_Show({"Simulator/dev/pts/9"});
        part<QPushButton>(Page, "QB_OPEN_USART")->click();
        QCOMPARE(Serial.opened, QStringList{"/dev/pts/9"});
        // Only the unit's reply enables the commands.
        QCOMPARE(connectionState(Page), QStringLiteral("断开设备 | 连接状态:--- | 固件版本号:--- | no refresh | port box locked | 0 buttons"));
        QVERIFY(Serial.sent.isEmpty()); // not at once: the GUI is not blocked, the query waits
#ifdef __linux__
        WallClockBackSeconds = 3600; // the clock set back an hour must not postpone the query
#endif
        QTRY_COMPARE_WITH_TIMEOUT(Serial.sent, QStringList{"ATSW+STATE+OK"}, 2000);
#ifdef __linux__
        WallClockBackSeconds = 0;
#endif
        QVERIFY2(Serial.sentAfterMs.constFirst() >= 100, qPrintable(QString::number(Serial.sentAfterMs.constFirst())));
        // What the link warns of is in the log and, while connected, in the state's tooltip under
        // where the unit is.
        Page->Link_Warning("服务器的证书没有验证 (insecure)");
        QCOMPARE(part<QLabel>(Page, "State_Label")->toolTip().split('\n'),
                 QStringList({"管理机位置: " + Serial.opened.constLast(), "服务器的证书没有验证 (insecure)"}));
        QVERIFY(part<QTextEdit>(Page, "USART_Log")->toPlainText().contains("注意: 服务器的证书没有验证 (insecure)"));
        part<QPushButton>(Page, "QB_OPEN_USART")->click();
        QVERIFY(part<QLabel>(Page, "State_Label")->toolTip().isEmpty());
    }

    // boxes: what the operator is told.
    void connectionEnds_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("open fails") << "fail" << QStringList{"Warning: 连接错误请检查端口号是否正确....\r\nNo such file or directory"};
        QTest::newRow("disconnect before the query: nothing sent") << "early" << QStringList{};
        QTest::newRow("disconnect while online") << "online" << QStringList{};
        QTest::newRow("server never reached: no query, told as a failed open")
            << "unreached" << QStringList{"Warning: 连接错误请检查端口号是否正确....\r\n连接被拒绝: h:1"};
    }
    void connectionEnds()
    {
        QFETCH(QString, how);
        QFETCH(QStringList, boxes);
        Serial.openSucceeds = how != "fail";
        Serial.linkReady = how != "unreached";
        Page->USART_COM_Show({"Prolific\\\\.\\COM3"});
        TestSupport::ModalCatcher shown;
        part<QPushButton>(Page, "QB_OPEN_USART")->click();
        if (how == "online")
            Page->Receive_Data("ATSW+V2.1+OK\r\n");
        if (how == "unreached") {
            QTest::qWait(250);
            Page->Link_Failed("连接被拒绝: h:1");
        } else if (how != "fail") {
            part<QPushButton>(Page, "QB_OPEN_USART")->click();
        }
        QCOMPARE(Serial.opened, QStringList{"\\\\.\\COM3"});
        QCOMPARE(Serial.closes, how == "fail" || how == "unreached" ? 0 : 1);
        QTest::qWait(250);
        QVERIFY(Serial.sent.isEmpty());
        QStringList seen;
        for (int i = 0; i < shown.count(); ++i)
            seen << shown.titles().at(i) + ": " + shown.texts().at(i);
        QCOMPARE(seen, boxes);
        QCOMPARE(connectionState(Page), Disconnected);
    }

    void receivedTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("version"); // empty: not a state reply
        QTest::newRow("state reply") << "ATSW+V1.2+OK\r\n" << "V1.2";
        QTest::newRow("11 characters") << "ATSW+V12+OK" << "V12";
        QTest::newRow("one plus keeps the line break") << "ATSW+V2.1.7\r\n" << "V2.1.7\r\n";
        QTest::newRow("10 characters") << "ATSW+V1+OK" << "";
        QTest::newRow("ATSWX") << "ATSWX+V1.2+OK\r\n" << "";
        QTest::newRow("leading byte") << " ATSW+V1.2+OK\r\n" << "";
        QTest::newRow("acknowledgement") << "ATNW+1+OK!\r\n" << "";
        QTest::newRow("a version too long for the label") << "ATSW+V" + QString(40, 'x') + "+OK\r\n" << "V" + QString(40, 'x');
    }
    void receivedTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, version);
        QCOMPARE(stateReplyVersion(text).value_or(QString()), version);
        QSignalSpy spy(Page, &Function_One::USART_RX_dat_SIGNALS);
        part<QTextEdit>(Page, "USART_Log")->setPlainText("before ");
        part<QTextEdit>(Page, "USART_Log")->moveCursor(QTextCursor::End);
        Page->Receive_Data(text);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), text);
        QCOMPARE(Page->USART_RX_dat, text);
        QCOMPARE(part<QTextEdit>(Page, "USART_Log")->toPlainText(), QString("before " + text).replace("\r\n", "\n"));
        const bool elided = version.size() > 32; // the label holds 32 characters, the tooltip all
        QCOMPARE(connectionState(Page), version.isEmpty() ? Disconnected
                                                          : "连接设备 | 连接状态:在线 | 固件版本号:" + (elided ? version.left(31) + "…" : version)
                     + " | refresh 2000 ms | port box | 6 buttons");
        QCOMPARE(part<QLabel>(Page, "Version_Label")->toolTip(), elided ? version : QString());
        Page->Link_Lost();
        QVERIFY(part<QLabel>(Page, "Version_Label")->toolTip().isEmpty());
        Page->SEND_USART_Contents("ATNW+2+07+OK"); // every send empties the latest text
        QVERIFY(Page->USART_RX_dat.isEmpty());
    }

    // A unit flooding the line without line breaks: the log keeps a bounded scrollback of short
    // lines, the oldest dropped in batches, so no text is laid out again with everything before it.
    void logStaysBounded()
    {
        auto *log = part<QTextEdit>(Page, "USART_Log");
        QCOMPARE(log->font().hintingPreference(), QFont::PreferDefaultHinting); // none loaded for the empty log
        QString flood;
        for (int i = 0; i < 1500; ++i) { // past the limit, so it is trimmed
            const QString text = QString::number(i).rightJustified(700, QLatin1Char('#'));
            flood += text;
            Page->Receive_Data(text);
            QVERIFY2(log->document()->blockCount() <= LogView::MaxBlocks - LogView::TrimBlocks,
                     qPrintable(QString::number(log->document()->blockCount())));
        }
        const QStringList lines = log->toPlainText().split('\n');
        QVERIFY(std::all_of(lines.cbegin(), lines.cend(), [](const QString &l) { return l.size() <= LogView::MaxLineLength; }));
        QCOMPARE(lines.constFirst().size(), LogView::MaxLineLength); // whole pieces go, the latest stay
        QVERIFY(flood.endsWith(lines.join(QString())));
        Page->Receive_Data("\r\nATSW+V2.1+OK\r\n"); // a healthy reply is shown as it came
        QVERIFY(log->toPlainText().endsWith("\nATSW+V2.1+OK\n"));
        QCOMPARE(LogView::forDisplay(QString(1000, 'a'), 24), QString(1000, 'a'));
        QCOMPARE(LogView::forDisplay(QString(1000, 'a'), 25), QString(999, 'a') + "\na");
        // Each kind of line break starts the count again: a full line after it is not broken.
        for (const QString &lineBreak : {QStringLiteral("\n"), QStringLiteral("\r"), QString(QChar::ParagraphSeparator)}) {
            const QString text = QString(10, 'a') + lineBreak + QString(LogView::MaxLineLength, 'b');
            QCOMPARE(LogView::forDisplay(text, LogView::MaxLineLength - 10), text);
        }
        QCOMPARE(log->font().hintingPreference(), QFont::PreferFullHinting);
    }

    // Whoever writes the log's first text, it is drawn on whole pixels, in the log's own font.
    void logFontFromTheFirstText_data()
    {
        QTest::addColumn<int>("writer");
        QTest::newRow("received text") << 0;
        QTest::newRow("warning kept in view") << 1;
        QTest::newRow("page's notice") << 2;
        QTest::newRow("text set whole") << 3;
    }
    void logFontFromTheFirstText()
    {
        QFETCH(int, writer);
        QTextEdit log;
        log.setStyleSheet(QStringLiteral("QTextEdit{font-family:\"Liberation Serif\";font-size:15px;}"));
        LogView::setUp(&log);
        log.show();
        const QFont before = log.font();
        QCOMPARE(before.hintingPreference(), QFont::PreferDefaultHinting);
        const QString text = QStringLiteral("ATSW+V2.1+OK");
        switch (writer) {
        case 0: LogView::append(&log, text); break;
        case 1: LogView::appendKeepingStart(&log, text); break;
        case 2: PageHelpers::appendLog(&log, text); break;
        default: log.setPlainText(text); break;
        }
        QVERIFY(log.toPlainText().startsWith(text));
        QCOMPARE(log.font().hintingPreference(), QFont::PreferFullHinting);
        QFont expected = before;
        expected.setHintingPreference(QFont::PreferFullHinting);
        QCOMPARE(log.font(), expected);
        QCOMPARE(log.font().pixelSize(), 15);
    }

    void settingsBatches_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("type names 2 and 4") << "TYPE_PB_SET" << 0 << QStringList{"ATLW+2+普通+OK", "ATLW+4+VIP+OK"};
        QTest::newRow("parameters in English")
            << "PB_ID_sned" << 1 << QStringList{"ATNW+0+42+OK", "ATNW+1+0+OK", "ATNW+2+07+OK", "ATNW+3+1+OK"};
        QTest::newRow("parameters in Polish")
            << "PB_ID_sned" << 2 << QStringList{"ATNW+0+42+OK", "ATNW+1+0+OK", "ATNW+2+07+OK", "ATNW+3+2+OK"};
        QTest::newRow("factory reset after Yes") << "PB_Rec_sned" << 0 << QStringList{"ATRW+58317+OK"};
    }
    void settingsBatches()
    {
        QFETCH(QString, button);
        QFETCH(int, language);
        QFETCH(QStringList, sent);
        Set_Language_Code(uint8_t(language));
        typeName(Page, 1)->setText("普通");
        typeName(Page, 3)->setText("VIP");
        part<QComboBox>(Page, "QC_Network_ID")->setCurrentIndex(42);
        part<QComboBox>(Page, "QC_Sync_Restart")->setCurrentIndex(1);
        part<QComboBox>(Page, "QC_Auto_Clear")->setCurrentIndex(8);
        const auto seen = runBatch(Page->findChild<QPushButton *>(button));
        QCOMPARE(Serial.sent, sent);
        QCOMPARE(seen.title, QStringLiteral("Communicate"));
        QCOMPARE(seen.progress, 100);
        QCOMPARE(seen.size, QSize(500, 300));
        QVERIFY(seen.log.contains(QStringLiteral("共有 %1 参数需要发送正在建立通信......").arg(sent.size())));
        QVERIFY(seen.log.endsWith(QStringLiteral("发送完成已停止通信.....")));
        QCOMPARE(seen.question.isEmpty(), button != "PB_Rec_sned");
    }

    // The batch window in its classic form: the caller's entries, the page's latest text looked at
    // on the window's ticks, the kind by its button's name (exactly).
    void batchWindowOverThePagesText_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("sent");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("parameters") << "PB_ID_sned" << 4 << "正在解析系统参数.......";
        QTest::newRow("a name in lower case") << "pb_id_sned" << 0 << "当前没有要发送的数据已停止通信....";
    }
    void batchWindowOverThePagesText()
    {
        QFETCH(QString, kind);
        QFETCH(int, sent);
        QFETCH(QString, firstLine);
        Serial.page = Page;
        Page->Receive_Data("ATSW+V2.1+OK\r\n");
        QString list[10] = {"ATNW+0+42+OK", "ATNW+1+0+OK", "ATNW+2+07+OK", "ATNW+3+1+OK"};
        USART_Send_QDialog_Handle d(Page, list, &Page->USART_RX_dat, kind);
        connect(&d, &USART_Send_QDialog_Handle::USART_SEND_SIGNALS, Page, &Function_One::SEND_USART_Contents);
        d.Start_send();
        if (sent > 0)
            QTRY_COMPARE_WITH_TIMEOUT(d.Send_Progress.value(), 100, 5000);
        QTest::qWait(2 * CommandBatch::LaterPollMs);
        QCOMPARE(Serial.sent.size(), sent);
        QCOMPARE(d.Send_Info.toPlainText().section('\n', 0, 0), firstLine);
        // The last acknowledgement stays until the next send.
        QCOMPARE(Page->USART_RX_dat, sent > 0 ? QStringLiteral("ATNW+3+OK!\r\n") : QStringLiteral("ATSW+V2.1+OK\r\n"));
    }

    // One click must not wipe a unit: anything but Yes sends nothing.
    void factoryResetAsksFirst_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("buttons");
        QTest::newRow("Escape") << 0 << "Escape" << "是 否";
        QTest::newRow("Enter takes the default, No") << 0 << "Enter" << "是 否";
        QTest::newRow("No in English") << 1 << "No" << "Yes No";
        QTest::newRow("No in Polish") << 2 << "No" << "Tak Nie";
    }
    void factoryResetAsksFirst()
    {
        QFETCH(int, language);
        QFETCH(QString, answer);
        QFETCH(QString, buttons);
        Serial.page = Page;
        Page->Receive_Data("ATSW+V2.1+OK\r\n");
        Translator.reset(new QTranslator);
        const char *catalogue[] = {nullptr, ":/Res/LANG_English.qm", ":/Res/LANG_Poland.qm"};
        if (language > 0) {
            QVERIFY(Translator->load(QLatin1String(catalogue[language])));
            QCoreApplication::installTranslator(Translator.data());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        }
        QString seenButtons;
        const TestSupport::ModalCatcher catcher([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            if (!box)
                return true; // a batch window would be a failure, seen below
            seenButtons = box->button(QMessageBox::Yes)->text() + " " + box->button(QMessageBox::No)->text();
            if (answer == "No")
                box->button(QMessageBox::No)->click();
            else
                QTest::keyClick(box, answer == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
            return true;
        });
        part<QPushButton>(Page, "PB_Rec_sned")->click();
        QCoreApplication::removeTranslator(Translator.data());
        QCOMPARE(seenButtons, buttons);
        QCOMPARE(Serial.sent, QStringList());
    }

    // A unit that stops acknowledging: after 5 s the window says which command waits and what to
    // check; a later acknowledgement goes on; Close stops the batch and nothing more is sent.
    void silentUnitBatchHintsAndCloses()
    {
        Page->Receive_Data("ATSW+V2.1+OK\r\n");
        typeName(Page, 0)->setText("A");
        typeName(Page, 1)->setText("B");
        typeName(Page, 2)->setText("C");
        QString log;
        bool acknowledged = false;
        const TestSupport::ModalCatcher catcher([&](QWidget *w) {
            auto *d = qobject_cast<USART_Send_QDialog_Handle *>(w);
            log = d->Send_Info.toPlainText();
            if (!log.contains(QStringLiteral("第 1 条命令 5 秒没有应答")))
                return false;
            if (!acknowledged) {
                acknowledged = true;
                Page->Receive_Data("ATLW+1+OK!\r\n"); // late, still taken
                return false;
            }
            if (Serial.sent.size() < 2)
                return false;
            d->findChild<QPushButton *>("Close_Button")->click();
            return true;
        });
        QElapsedTimer clock;
        clock.start();
        part<QPushButton>(Page, "TYPE_PB_SET")->click();
        QVERIFY(clock.elapsed() >= USART_Send_QDialog_Handle::SilenceHintMs);
        QCOMPARE(Serial.sent, (QStringList{"ATLW+1+A+OK", "ATLW+2+B+OK"}));
        QVERIFY(log.contains(QStringLiteral("第 1 条命令 5 秒没有应答: 请检查管理机的电源, 连接线和端口; 应答到达后继续发送.")));
        Page->Receive_Data("ATLW+2+OK!\r\n");
        QTest::qWait(400);
        QCOMPARE(Serial.sent.size(), 2); // closed: the third name stays unsent
    }

    // Text from the unit is shown as it came, never as markup.
    void unitTextIsPlain()
    {
        Page->Receive_Data("ATSW+<b>V2</b>+OK\r\n");
        QCOMPARE(part<QLabel>(Page, "Version_Label")->textFormat(), Qt::PlainText);
        QCOMPARE(part<QLabel>(Page, "State_Label")->textFormat(), Qt::PlainText);
    }

    // Stable port names are long and alike at their start: elided in the middle, whole in the
    // tooltip and in a popup wide enough.
    void longPortNamesStayReadable()
    {
        const QString longName = "/dev/serial/by-id/usb-Prolific_Technology_Inc._USB-Serial_Controller_ABCDEF123456-if00-port0";
        Serial.ports = QStringList{"A/dev/ttyUSB0", longName};
        Page->Function_USART_COM_LA_UPDAT();
        QComboBox *box = part<QComboBox>(Page, "QC_COM_Choose");
        box->setCurrentIndex(1);
        QCOMPARE(box->toolTip(), longName);
        const auto *edit = qobject_cast<ElidingLineEdit *>(box->lineEdit());
        QVERIFY(edit);
        QCOMPARE(edit->text(), longName);
        const QString shown = edit->shownText();
        QVERIFY2(shown.startsWith("/dev/") && shown.endsWith("port0") && shown.contains(QChar(0x2026)), qPrintable(shown));
        QVERIFY(box->view()->minimumWidth() >= box->view()->fontMetrics().horizontalAdvance(longName));
    }

    void timeSyncSendsThePcClock()
    {
        const QDateTime before = QDateTime::currentDateTime();
        runBatch(Page->findChild<QPushButton *>("PB_Time_syn_sned")); // by name, as scripts find it
        const QDateTime after = QDateTime::currentDateTime();
        QCOMPARE(Serial.sent.size(), 1);
        const QStringList f = Serial.sent.constFirst().split(QRegularExpression("[-+]"));
        QCOMPARE(f.size(), 9);
        QCOMPARE(f.constFirst(), QStringLiteral("ATTW"));
        QCOMPARE(f.constLast(), QStringLiteral("OK"));
        const QDateTime sent(QDate(2000 + f[1].toInt(), f[2].toInt(), f[3].toInt()),
                             QTime(f[5].toInt(), f[6].toInt(), f[7].toInt()));
        QVERIFY2(sent.isValid() && sent.secsTo(before) <= 0 && sent.secsTo(after) >= 0, qPrintable(Serial.sent.constFirst()));
        QCOMPARE(f[4], QStringLiteral("0%1").arg(sent.date().dayOfWeek()));
        for (int i = 1; i < 8; ++i)
            QCOMPARE(f[i].size(), 2);
    }

    void typeNameRule_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<int>("warnings");
        QTest::addColumn<QString>("notSent"); // what the field's tooltip says was cut off
        QTest::newRow("two plus") << "A++B" << "AB" << 2 << "";
        QTest::newRow("five Chinese") << "一二三四五" << "一二三四" << 0 << "\"五\"";
        QTest::newRow("eight and a lone surrogate") << "abcdefgh" + QString(QChar(0xD83D)) << "abcdefgh" << 0
                                                    << "\"" + QString(QChar(0xD83D)) + "\"";
        QTest::newRow("a long paste") << QString(10000, 'x') << "xxxxxxxx" << 0 << "\"" + QString(9992, 'x') + "\"";
        QTest::newRow("plus and too long") << "1234+56789" << "12345678" << 1 << "\"9\"";
    }
    void typeNameRule()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(int, warnings);
        QFETCH(QString, notSent);
        int changes = 0;
        connect(typeName(Page, 2), &QLineEdit::textChanged, [&changes] { ++changes; });
        TestSupport::ModalCatcher boxes;
        typeName(Page, 2)->setText(typed);
        QCOMPARE(typeName(Page, 2)->text(), kept);
        QCOMPARE(changes, 2); // the paste and one correction, not one per character
        QTRY_COMPARE(boxes.count(), warnings);
        for (const QString &t : boxes.texts())
            QCOMPARE(t, QStringLiteral("禁止使用特殊符号\"+\"请重新输入\r\n"));
        QCOMPARE(typeName(Page, 2)->toolTip().section(':', -1).trimmed(), notSent);
        QCOMPARE(typeName(Page, 2)->styleSheet().isEmpty(), notSent.isEmpty()); // the field's border marks a cut
        typeName(Page, 2)->setText(kept.left(1)); // shorter again: the mark goes
        QVERIFY(typeName(Page, 2)->toolTip().isEmpty());
        QVERIFY(typeName(Page, 2)->styleSheet().isEmpty());
    }

    void pairingReplies_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fromUnit");
        QTest::addColumn<QString>("status");    // "-" for unchanged
        QTest::addColumn<QStringList>("lines"); // five entries, "-" for unchanged
        QTest::addColumn<int>("picture");
        QTest::addColumn<bool>("advance");
        const QString u = "-";
        const QStringList none{u, u, u, u, u};
        QTest::newRow("SUCCESS 3") << "ATAW+3+SUCCESS+1001\r\n" << true << "类型 3 匹配成功." << QStringList{u, u, "类型 3 : 1001", u, u}
                                   << 1 << true;
        QTest::newRow("SUCCESS without type") << "ATAW++SUCCESS+x" << true << "类型  匹配成功." << none << 1 << true;
        QTest::newRow("REPEAT") << "ATAW+2+REPEAT+4\r\n" << true << "此叫号器已经与类型 4 配对..." << none << 2 << false;
        QTest::newRow("Delete ALL") << "ATAW+Delete+ALL\r\n" << true << "已经删除全部类型."
                                    << QStringList{"类型 ---", "类型 ---", "类型 ---", "类型 ---", "类型 ---"} << 0 << false;
        QTest::newRow("Delete 5") << "ATAW+Delete+5\r\n" << true << "类型 5 删除成功." << QStringList{u, u, u, u, "类型 5"} << 0 << true;
        QTest::newRow("READ 1") << "ATAW+1+READ+1001\r\n" << true << u << QStringList{"类型 1 : 1001", u, u, u, u} << 0 << false;
        QTest::newRow("two READ in one burst") << "ATAW+2+READ+7\r\nATAW+3+READ+8\r\n" << true << u
                                               << QStringList{u, "类型 2 : 7\r\nATAW", u, u, u} << 0 << false;
        QTest::newRow("READ type 0") << "ATAW+0+READ+x" << true << u << none << 0 << false;
        QTest::newRow("READ type empty") << "ATAW++READ+x" << true << u << none << 0 << false;
        QTest::newRow("READ type full-width digit") << "ATAW+\uff11+READ+x" << true << u << none << 0 << false;
        QTest::newRow("READ type with a space") << "ATAW+ 3+READ+x" << true << u << none << 0 << false;
        QTest::newRow("ATAW alone") << "ATAW" << true << u << none << 0 << false;
        QTest::newRow("state reply") << "ATSW+V2.1+OK\r\n" << false << u << none << 0 << false;
        QTest::newRow("lower case") << "ataw+1+SUCCESS+x" << false << u << none << 0 << false;
    }
    void pairingReplies()
    {
        QFETCH(QString, text);
        QFETCH(bool, fromUnit);
        QFETCH(QString, status);
        QFETCH(QStringList, lines);
        QFETCH(int, picture);
        QFETCH(bool, advance);
        const PairingReply r = PairingReply::parse(text);
        QCOMPARE(r.fromUnit, fromUnit);
        QCOMPARE(r.status.value_or("-"), status);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(r.typeLines[i].value_or("-"), lines.at(i));
        QCOMPARE(int(r.picture), picture);
        QCOMPARE(r.advance, advance);
    }

    void pairingAddMode_data()
    {
        QTest::addColumn<bool>("autoSwitch");
        QTest::newRow("auto advance") << true;
        QTest::newRow("stays") << false;
    }
    void pairingAddMode()
    {
        QFETCH(bool, autoSwitch);
        Pair_Mode_Handle d(nullptr, part<QComboBox>(Page, "QC_Pair_Mode"));
        QCOMPARE(d.Set_up_Button->text(), QStringLiteral("添 加"));
        QCOMPARE(d.Type_Choose->count(), 5);
        QCOMPARE(d.Type_Choose_Label->text(), QStringLiteral("添加类型:"));
        QCOMPARE(d.State_Text->text(), QStringLiteral("请选择类型点击添加后按住取号器上的按键..."));
        QCOMPARE(d.Type_Choose_Label->geometry(), QRect(200, 158, 100, 30));
        QCOMPARE(d.Type_State[0]->text(), QStringLiteral("类型1"));
        QCOMPARE(d.Type_State[4]->geometry(), QRect(200, 75, 150, 30));
        QCOMPARE(d.Type_State[1]->geometry(), QRect(360, 25, 150, 30));
        QCOMPARE(QList<int>({d.State_Text->textFormat(), d.Type_State[4]->textFormat()}), QList<int>({Qt::PlainText, Qt::PlainText}));
        QVERIFY(!d.Auto_Switch.isChecked());
        QSignalSpy sent(&d, &Pair_Mode_Handle::USART_SEND_SIGNALS);
        d.Auto_Switch.setChecked(autoSwitch);
        d.Type_Choose->setCurrentIndex(2);
        d.Set_up_Button->click();
        QCOMPARE(sent.last().at(0).toString(), QStringLiteral("ATAW+ADD+3+OK"));
        QCOMPARE(d.pictureName(), QStringLiteral(":/Res/Pic/Hold_down.png"));
        d.USART_RETURN_dat_Handel("ATAW+3+SUCCESS+1001");
        QCOMPARE(d.Type_State[2]->text(), QStringLiteral("类型 3 : 1001"));
        QCOMPARE(d.Type_Choose->currentText(), autoSwitch ? QStringLiteral("4") : QStringLiteral("3"));
        QCOMPARE(d.State_Text->text(), autoSwitch ? QStringLiteral("请选择类型点击添加后按住取号器上的按键...") : QStringLiteral("类型 3 匹配成功."));
        QCOMPARE(d.pictureName(), autoSwitch ? QStringLiteral(":/Res/Pic/add_sta.png") : QStringLiteral(":/Res/Pic/ADD_OVER.png"));
        d.USART_RETURN_dat_Handel("ATAW+2+REPEAT+4");
        QCOMPARE(d.pictureName(), QStringLiteral(":/Res/Pic/ADD_ERROR.png"));
        QCOMPARE(d.Type_State[1]->text(), QStringLiteral("类型2"));
    }

    void pairingDeleteMode()
    {
        part<QComboBox>(Page, "QC_Pair_Mode")->setCurrentIndex(1);
        Pair_Mode_Handle d(nullptr, part<QComboBox>(Page, "QC_Pair_Mode"));
        QCOMPARE(d.Type_Choose->itemText(5), QStringLiteral("ALL"));
        QCOMPARE(d.Set_up_Button->text(), QStringLiteral("删除"));
        QCOMPARE(d.pictureName(), QStringLiteral(":/Res/Pic/Delete_sta.png"));
        QSignalSpy sent(&d, &Pair_Mode_Handle::USART_SEND_SIGNALS);
        d.Type_Choose->setCurrentIndex(5);
        d.Set_up_Button->click();
        QCOMPARE(sent.last().at(0).toString(), QStringLiteral("ATAW+Delete+ALL+OK"));
        QCOMPARE(d.State_Text->text(), QStringLiteral("请选择需要删除的类型点击删除..."));
        d.Auto_Switch.setChecked(true);
        d.Type_Choose->setCurrentIndex(4);
        d.USART_RETURN_dat_Handel("ATAW+Delete+5");
        QCOMPARE(d.Type_State[4]->text(), QStringLiteral("类型 5"));
        QCOMPARE(d.Type_Choose->currentText(), QStringLiteral("5")); // stays on 5
    }

    // Enter after typing presses no button by accident (the page, a pairing, a transfer are at
    // stake); in the line editor's text it adds that line; Escape closes every window.
    void dialogKeys_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("title"); // and a fixed 550 x 300, where the page opens the window
        QTest::newRow("line editor") << "line" << "增加小票内容";
        QTest::newRow("pairing, add") << "add" << "Pair Mode";
        QTest::newRow("pairing, delete") << "delete" << "Pair Mode";
        QTest::newRow("firmware") << "firmware" << "";
    }
    void dialogKeys()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, title);
        QSize smallest, largest;
        Page->Receive_Data("ATSW+V2.1+OK\r\n");
        part<QComboBox>(Page, "QC_Pair_Mode")->setCurrentIndex(dialog == "delete" ? 1 : 0);
        Bootloader_Handle firmware(nullptr);
        int chosen = 0;
        firmware.chooseImage = [&chosen](QWidget *) { return ++chosen, QString(); };
        QSignalSpy firmwareSent(&firmware, &Bootloader_Handle::USART_Bootloader_COM);
        bool escaped = false;
        const TestSupport::ModalCatcher catcher([&](QWidget *w) {
            if (!w->isActiveWindow())
                return false;
            smallest = w->minimumSize();
            largest = w->maximumSize();
            if (auto *editor = qobject_cast<QDialg_add_Line *>(w)) {
                QTest::keyClicks(&editor->QL_Contents, "First");
                editor->QB_Add_Contents.click();
                editor->QC_Choose_Line.setCurrentIndex(1);
                QTest::keyClicks(&editor->QL_Contents, "Second");
                QTest::keyClick(&editor->QL_Contents, Qt::Key_Return);
                QTest::keyClick(&editor->QC_Choose_Line, Qt::Key_Enter, Qt::KeypadModifier);
            }
            for (QWidget *target : w->findChildren<QWidget *>())
                if (target->isVisible() && !qobject_cast<QLineEdit *>(target))
                    QTest::keyClick(target, Qt::Key_Return);
            QTest::keyClick(w, Qt::Key_Return);
            QTest::keyClick(w, Qt::Key_Escape);
            escaped = true;
            return true;
        });
        if (dialog == "line")
            part<QPushButton>(Page, "QB_Add_Line")->click();
        else if (dialog == "firmware")
            firmware.exec();
        else
            part<QPushButton>(Page, "Pair_Set_Push")->click();
        QVERIFY(escaped); // and the window closed on it
        if (!title.isEmpty()) {
            QCOMPARE(catcher.titles().value(0), title);
            QCOMPARE(smallest, QSize(550, 300));
            QCOMPARE(largest, QSize(550, 300));
        }
        if (dialog == "line") {
            QCOMPARE(Page->Print_Line[0], QStringLiteral("ATPW+0+N+L+First+SIZE:S+OK"));
            QCOMPARE(Page->Print_Line[1], QStringLiteral("ATPW+1+N+L+Second+SIZE:S+OK"));
            QVERIFY(std::all_of(Page->Print_Line.begin() + 2, Page->Print_Line.end(), [](const QString &l) { return l.isEmpty(); }));
        }
        QCOMPARE(Serial.sent, dialog == "add" || dialog == "delete" ? QStringList{"ATAW+READ+ALL+OK"} : QStringList{});
        QCOMPARE(chosen + firmwareSent.count(), 0);
        QCOMPARE(firmware.Info_Text.toPlainText(), QStringLiteral("请确认是否已经连接设备,并且已经进入升级模式...\n"));
    }

    // What the window records of each action on the connected unit, and a record that cannot be
    // written said once in the log while the unit still gets everything.
    void windowRecord_data()
    {
        QTest::addColumn<QString>("act");
        QTest::addColumn<QString>("recorded"); // "action result acknowledged/commands", one line each
        QTest::addColumn<QString>("reason");
        QTest::newRow("names from the file loaded") << "file names" << "names ok 2/2" << "";
        QTest::newRow("names after an edit: no file") << "file edit names" << "names ok 2/2" << "";
        QTest::newRow("clock: never from the file") << "file clock" << "clock ok 1/1" << "";
        QTest::newRow("factory reset") << "reset" << "reset ok 1/1" << "";
        QTest::newRow("factory reset of a unit found on the network") << "found reset" << "reset ok 1/1" << "";
        QTest::newRow("window closed mid-batch") << "silent names" << "names interrupted 0/2"
                                                 << "window closed while waiting for the acknowledgement of ATLW+2+普通+OK";
        QTest::newRow("pairing added") << "pair ATAW+1+SUCCESS+1001\r\n" << "pairing ok 1/1" << "type 1 paired with dispenser 1001";
        QTest::newRow("dispenser already paired") << "pair ATAW+1+REPEAT+4\r\n" << "pairing failed 1/1"
                                                  << "the dispenser is already paired with type 4";
        QTest::newRow("pairing window closed first") << "pair" << "pairing interrupted 0/1" << "window closed before the unit answered";
        QTest::newRow("pairing deleted") << "pair-delete ATAW+Delete+1\r\n" << "pairing ok 1/1" << "deleted type 1";
        QTest::newRow("record that cannot be written") << "nowhere names names" << "" << "";
    }
    void windowRecord()
    {
        QFETCH(QString, act);
        QFETCH(QString, recorded);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString file = dir.filePath("shop.ini");
        const QString path = act.contains("nowhere") ? file + "/record.jsonl" : dir.filePath("record.jsonl");
        RecordFile record(path, "tqmanage");
        Page->setRecord(&record);
        if (act.contains("found")) // recorded by the name it announced, whatever its address
            Serial.names["Simulator/dev/pts/9"] = "tq-unit-01";
        Page->USART_COM_Show({"Simulator/dev/pts/9"});
        part<QPushButton>(Page, "QB_OPEN_USART")->click();
        QTRY_COMPARE(Serial.sent, QStringList{"ATSW+STATE+OK"}); // answered as the unit does, once asked
        Page->Receive_Data("ATSW+V2.1+OK\r\n");
        Serial.page = act.contains("silent") ? nullptr : Page;
        typeName(Page, 1)->setText("普通");
        typeName(Page, 3)->setText("VIP");
        if (act.contains("file") || act.contains("nowhere")) {
            SettingsCodec::Settings s;
            s.typeNames[1] = "普通";
            s.typeNames[3] = "VIP";
            QVERIFY(TestSupport::writeFile(file, SettingsCodec::encode(s) + "\n")); // rewritten when loaded
            Page->loadSettingsFile(file, true);
        }
        if (act.contains("edit"))
            typeName(Page, 3)->setText("VIP2");
        Serial.sent.clear();
        for (const QString &step : act.split(' ')) {
            const char *button = step == "names" ? "TYPE_PB_SET" : step == "clock" ? "PB_Time_syn_sned" : step == "reset" ? "PB_Rec_sned" : nullptr;
            if (button)
                TestSupport::runBatch(part<QPushButton>(Page, button), act.contains("silent") ? 300 : 0);
        }
        if (act.startsWith("pair")) {
            part<QComboBox>(Page, "QC_Pair_Mode")->setCurrentIndex(act.startsWith("pair-delete") ? 1 : 0);
            const TestSupport::ModalCatcher catcher(TestSupport::once([&](QWidget *w) {
                auto *d = qobject_cast<Pair_Mode_Handle *>(w);
                d->Set_up_Button->click();
                if (act.contains(' '))
                    Page->Receive_Data(act.section(' ', 1));
            }));
            part<QPushButton>(Page, "Pair_Set_Push")->click();
        }
        record.flush();
        const QList<QByteArray> lines = TestSupport::contentOf(path).split('\n');
        if (recorded.isEmpty()) { // not written: said once; the unit got both batches all the same
            QCOMPARE(Serial.sent.size(), 4);
            QTRY_VERIFY(part<QTextEdit>(Page, "USART_Log")->toPlainText().contains("记录文件无法写入"));
            QTest::qWait(100);
            QCOMPARE(part<QTextEdit>(Page, "USART_Log")->toPlainText().count("记录文件无法写入"), 1);
            return;
        }
        QCOMPARE(lines.size(), 2); // one line, ended
        const QJsonObject r = QJsonDocument::fromJson(lines.at(0)).object();
        QCOMPARE(QStringLiteral("%1 %2 %3/%4").arg(r.value("action").toString(), r.value("result").toString())
                     .arg(r.value("acknowledged").toInt()).arg(r.value("commands").toInt()), recorded);
        QCOMPARE(r.value("reason").toString(), reason);
        QCOMPARE(r.value("unit").toString(), act.contains("found") ? "tq-unit-01" : "/dev/pts/9");
        QCOMPARE(r.value("firmware").toString(), "V2.1");
        QCOMPARE(r.value("program").toString(), "tqmanage");
        QByteArray sent;
        for (const QString &command : Serial.sent.filter(QRegularExpression("^AT(LW|TW|RW|AW\\+(ADD|Delete))")))
            sent += Gbk::encode(command);
        QCOMPARE(r.value("commandsSha256").toString(), ActionTrace::sha256(sent));
        const bool fromFile = act.contains("file names") && !act.contains("edit");
        QCOMPARE(r.value("settingsFile").toString(), fromFile ? file : QString());
        QCOMPARE(r.value("settingsSha256").toString(), fromFile ? ActionTrace::sha256(TestSupport::contentOf(file)) : QString());
    }

private:
    // Presses the button with the page online and the unit answering; what the batch window showed.
    TestSupport::BatchSeen runBatch(QPushButton *button)
    {
        Serial.page = Page;
        Page->Receive_Data("ATSW+V2.1+OK\r\n");
        return TestSupport::runBatch(button);
    }

    FakeSerial Serial;
    Function_One *Page = nullptr;
    QScopedPointer<QTranslator> Translator;
};

QTEST_MAIN(tst_Device)
#include "tst_device.moc"
