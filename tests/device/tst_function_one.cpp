#include "app/AppSetup.h"
#include "app/Language.h"
#include "device/Function_One.h"
#include "serial/IFunction.h"
#include "testsupport/TestSupport.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

namespace {
class FakeSerial : public IFunction
{
public:
    QStringList USART_COM_List() override { return ports; }
    bool USART_Open(const QString &COM) override
    {
        opened << COM;
        return openSucceeds;
    }
    void USART_Close() override { ++closes; }
    void USART_Send(const QString &str) override
    {
        sent << str;
        sentAfterMs << sinceOpen.elapsed();
    }
    QString USART_COM_Location(const QString &entry) const override { return locations.value(entry); }

    QStringList ports;
    QHash<QString, QString> locations;
    bool openSucceeds = true;
    QStringList opened;
    int closes = 0;
    QStringList sent;
    QList<qint64> sentAfterMs;
    QElapsedTimer sinceOpen;
};
} // namespace

class tst_Function_One : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { AppSetup::initResources(); }
    void init()
    {
        Set_Language_Code(Language_Chinese);
        Function_One::COM_Count = 0;
        Serial = FakeSerial();
        Page = new Function_One(nullptr);
        Page->Set_Function(&Serial);
    }
    void cleanup()
    {
        delete Page;
        Page = nullptr;
    }

    void initialState()
    {
        for (QPushButton *b : Page->commandButtons())
            QVERIFY2(!b->isEnabled(), qPrintable(b->text()));
        QCOMPARE(Page->commandButtons().size(), 6);
        QVERIFY(Page->QC_COM_Choose->isEnabled());
        QCOMPARE(Page->QC_COM_Choose->count(), 0);
        QCOMPARE(Page->QB_OPEN_USART->text(), QStringLiteral("连接设备"));
        QVERIFY(Page->COM_Update_Timer->isActive());
        QCOMPARE(Page->COM_Update_Timer->interval(), 2000);
        QCOMPARE(Page->State_Label->text(), QStringLiteral("连接状态:---"));
        QCOMPARE(Page->Version_Label->text(), QStringLiteral("固件版本号:---"));
        QVERIFY(Page->USART_Log->isReadOnly());
        QVERIFY(Page->QB_Add_Line->isEnabled());
        for (QLineEdit *e : Page->QL_Type_Name)
            QVERIFY(e->isEnabled() && e->text().isEmpty());
        QCOMPARE(Page->PB_Time_syn_sned->text(), QStringLiteral("同步时间"));
        QCOMPARE(Page->PB_Rec_sned->text(), QStringLiteral("恢复出厂设置"));
        QCOMPARE(Page->PB_Rec_sned->toolTip(), QStringLiteral("点我^.^管理机恢复出厂设置 需谨慎"));
    }

    void comboItems_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::newRow("network id first") << "id" << 100 << 0 << "0";
        QTest::newRow("network id last") << "id" << 100 << 99 << "99";
        QTest::newRow("clearing disabled") << "clear" << 25 << 0 << "禁止";
        QTest::newRow("clearing 00:00") << "clear" << 25 << 1 << "00:00";
        QTest::newRow("clearing 07:00") << "clear" << 25 << 8 << "07:00";
        QTest::newRow("clearing 23:00") << "clear" << 25 << 24 << "23:00";
        QTest::newRow("restart allowed first") << "restart" << 2 << 0 << "允许";
        QTest::newRow("restart forbidden") << "restart" << 2 << 1 << "禁止";
        QTest::newRow("pair add") << "pair" << 2 << 0 << "添加取号器";
        QTest::newRow("pair delete") << "pair" << 2 << 1 << "删除取号器";
    }
    void comboItems()
    {
        QFETCH(QString, box);
        QFETCH(int, count);
        QFETCH(int, index);
        QFETCH(QString, text);
        const QHash<QString, QComboBox *> boxes{{"id", Page->QC_Network_ID},
                                                {"clear", Page->QC_Auto_Clear},
                                                {"restart", Page->QC_Sync_Restart},
                                                {"pair", Page->QC_Pair_Mode}};
        QComboBox *combo = boxes.value(box);
        QCOMPARE(combo->count(), count);
        QCOMPARE(combo->itemText(index), text);
        QCOMPARE(combo->currentIndex(), 0);
    }

    void portBoxRefreshRule()
    {
        Serial.ports = QStringList{"A/dev/ttyUSB0", "B/dev/ttyUSB1"};
        Page->Function_USART_COM_LA_UPDAT();
        QCOMPARE(Page->QC_COM_Choose->count(), 2);
        QCOMPARE(Function_One::COM_Count, 2);
        Page->QC_COM_Choose->setCurrentIndex(1);

        // Same count: the box keeps its (now stale) entries and selection.
        Serial.ports = QStringList{"A/dev/ttyUSB0", "C/dev/ttyUSB7"};
        Page->Function_USART_COM_LA_UPDAT();
        QCOMPARE(Page->QC_COM_Choose->itemText(1), QStringLiteral("B/dev/ttyUSB1"));
        QCOMPARE(Page->QC_COM_Choose->currentIndex(), 1);

        // Another count: refilled, first entry selected.
        Serial.ports = QStringList{"A/dev/ttyUSB0", "C/dev/ttyUSB7", "D/dev/ttyUSB8"};
        Page->Function_USART_COM_LA_UPDAT();
        QCOMPARE(Page->QC_COM_Choose->count(), 3);
        QCOMPARE(Page->QC_COM_Choose->currentIndex(), 0);
        QCOMPARE(Page->QC_COM_Choose->itemText(1), QStringLiteral("C/dev/ttyUSB7"));
    }

    void connectSendsStateQueryAfterPause()
    {
        Serial.ports = QStringList{"Simulator/dev/pts/9"};
        Serial.locations.insert("Simulator/dev/pts/9", "/dev/pts/9");
        Page->USART_COM_Show(Serial.ports);
        Serial.sinceOpen.start();
        Page->QB_OPEN_USART->click();
        QCOMPARE(Serial.opened, QStringList{"/dev/pts/9"});
        QCOMPARE(Page->QB_OPEN_USART->text(), QStringLiteral("断开设备"));
        QVERIFY(!Page->COM_Update_Timer->isActive());
        QVERIFY(!Page->QC_COM_Choose->isEnabled());
        QVERIFY(Serial.sent.isEmpty()); // never at once: the GUI is not blocked, the query waits
        QTRY_COMPARE_WITH_TIMEOUT(Serial.sent, QStringList{"ATSW+STATE+OK"}, 3000);
        QVERIFY2(Serial.sentAfterMs.constFirst() >= 100, qPrintable(QString::number(Serial.sentAfterMs.constFirst())));
        for (QPushButton *b : Page->commandButtons())
            QVERIFY(!b->isEnabled()); // only the unit's reply enables them
    }

    void disconnectBeforeQueryIsDueSendsNothing()
    {
        Serial.ports = QStringList{"/dev/ttyS0"};
        Page->USART_COM_Show(Serial.ports);
        Page->QB_OPEN_USART->click();
        Page->QB_OPEN_USART->click();
        QCOMPARE(Serial.closes, 1);
        QTest::qWait(250);
        QVERIFY(Serial.sent.isEmpty());
        QVERIFY(Page->COM_Update_Timer->isActive());
    }

    void openFailureShowsBoxAndStaysNotConnected()
    {
        Serial.openSucceeds = false;
        Serial.ports = QStringList{"Prolific\\\\.\\COM3"};
        Page->USART_COM_Show(Serial.ports);
        QString boxText;
        TestSupport::answerNextModal([&boxText](QWidget *w) { boxText = qobject_cast<QMessageBox *>(w)->text(); });
        Page->QB_OPEN_USART->click();
        QCOMPARE(boxText, QStringLiteral("连接错误请检查端口号是否正确...."));
        QCOMPARE(Serial.opened, QStringList{"\\\\.\\COM3"});
        QVERIFY(Page->COM_Update_Timer->isActive());
        QCOMPARE(Page->QB_OPEN_USART->text(), QStringLiteral("连接设备"));
        QVERIFY(Page->QC_COM_Choose->isEnabled());
        QCOMPARE(Page->State_Label->text(), QStringLiteral("连接状态:---"));
    }

    void receivedTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("online");
        QTest::addColumn<QString>("version");
        QTest::newRow("state reply") << "ATSW+V1.2+OK\r\n" << true << "固件版本号:V1.2";
        QTest::newRow("10 characters") << "ATSW+V1+OK" << false << "固件版本号:---";
        QTest::newRow("ATSWX") << "ATSWX+V1.2+OK\r\n" << false << "固件版本号:---";
        QTest::newRow("acknowledgement") << "ATNW+1+OK!\r\n" << false << "固件版本号:---";
    }
    void receivedTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, online);
        QFETCH(QString, version);
        QSignalSpy spy(Page, &Function_One::USART_RX_dat_SIGNALS);
        Page->USART_Log->setPlainText("before ");
        Page->USART_Log->moveCursor(QTextCursor::End);
        Page->Receive_Data(text);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), text);
        QCOMPARE(Page->USART_RX_dat, text);
        QCOMPARE(Page->USART_Log->toPlainText(), QString("before " + text).replace("\r\n", "\n"));
        QCOMPARE(Page->Version_Label->text(), version);
        QCOMPARE(Page->State_Label->text(), online ? QStringLiteral("连接状态:在线") : QStringLiteral("连接状态:---"));
        for (QPushButton *b : Page->commandButtons())
            QCOMPARE(b->isEnabled(), online);
    }

    void disconnectWhileOnline()
    {
        Serial.ports = QStringList{"/dev/ttyS0"};
        Page->USART_COM_Show(Serial.ports);
        Page->QB_OPEN_USART->click();
        Page->Receive_Data("ATSW+V2.1+OK\r\n");
        Page->QB_OPEN_USART->click();
        QCOMPARE(Serial.closes, 1);
        QVERIFY(Page->COM_Update_Timer->isActive());
        QCOMPARE(Page->COM_Update_Timer->interval(), 2000);
        QCOMPARE(Page->QB_OPEN_USART->text(), QStringLiteral("连接设备"));
        QCOMPARE(Page->Version_Label->text(), QStringLiteral("固件版本号:---"));
        for (QPushButton *b : Page->commandButtons())
            QVERIFY(!b->isEnabled());
    }

    void sendEmptiesLastReceivedText()
    {
        Page->Receive_Data("ATNW+1+OK!\r\n");
        Page->SEND_USART_Contents("ATNW+2+07+OK");
        QVERIFY(Page->USART_RX_dat.isEmpty());
        QCOMPARE(Serial.sent, QStringList{"ATNW+2+07+OK"});
    }

private:
    FakeSerial Serial;
    Function_One *Page = nullptr;
};

QTEST_MAIN(tst_Function_One)
#include "tst_function_one.moc"
