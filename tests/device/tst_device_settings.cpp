#include "app/AppSetup.h"
#include "app/Language.h"
#include "device/Function_One.h"
#include "protocol/USART_Send_QDialog_Handle.h"
#include "serial/IFunction.h"
#include "testsupport/TestSupport.h"

#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {
// The serial service and the unit in one: every command is acknowledged with a fixed text.
class AckingSerial : public IFunction
{
public:
    QStringList USART_COM_List() override { return {}; }
    bool USART_Open(const QString &) override { return true; }
    void USART_Close() override {}
    QString USART_COM_Location(const QString &) const override { return {}; }
    void USART_Send(const QString &str) override
    {
        sent << str;
        const QString verb = str.left(4);
        const QString reply = verb == "ATLW" ? "ATLW+" + str.mid(5, 1) + "+OK!\r\n"
                            : verb == "ATNW" ? "ATNW+" + str.mid(5, 1) + "+OK!\r\n"
                            : verb == "ATTW" ? "ATTW+43+OK!\r\n"
                            : verb == "ATRW" ? "ATRW+51+OK!\r\n"
                                             : QString();
        if (page && !reply.isEmpty())
            QTimer::singleShot(10, page, [this, reply] { page->Receive_Data(reply); });
    }
    Function_One *page = nullptr;
    QStringList sent;
};

struct DialogSeen {
    QString title;
    QString log;
    int progress = -1;
    QSize size;
};
} // namespace

class tst_DeviceSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { AppSetup::initResources(); }
    void init()
    {
        Set_Language_Code(Language_Chinese);
        Page = new Function_One(nullptr);
        Serial = AckingSerial();
        Serial.page = Page;
        Page->Set_Function(&Serial);
        Page->Receive_Data("ATSW+V2.1+OK\r\n"); // online: buttons enabled
        Serial.sent.clear();
    }
    void cleanup() { delete Page; }

    void typeNamesSkipEmptyOnes()
    {
        Page->QL_Type_Name[1]->setText("普通");
        Page->QL_Type_Name[3]->setText("VIP");
        const DialogSeen seen = runBatchOf(Page->TYPE_PB_SET);
        QCOMPARE(Serial.sent, (QStringList{"ATLW+2+普通+OK", "ATLW+4+VIP+OK"}));
        QCOMPARE(seen.title, QStringLiteral("Communicate"));
        QCOMPARE(seen.size, QSize(500, 300));
        QCOMPARE(seen.progress, 100);
        QVERIFY(seen.log.contains(QStringLiteral("共有 2 参数需要发送正在建立通信......")));
    }

    void noTypeNamesSendsNothing()
    {
        const DialogSeen seen = runBatchOf(Page->TYPE_PB_SET, 300);
        QVERIFY(Serial.sent.isEmpty());
        QCOMPARE(seen.log, QStringLiteral("正在解析类型名字内容.......\n当前没有要发送的数据已停止通信....\n"));
    }

    void systemParameters_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("restart");
        QTest::addColumn<int>("clear");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("42, forbidden, 07:00, English")
            << 1 << 42 << 1 << 8 << QStringList{"ATNW+0+42+OK", "ATNW+1+0+OK", "ATNW+2+07+OK", "ATNW+3+1+OK"};
        QTest::newRow("defaults, Chinese") << 0 << 0 << 0 << 0
                                           << QStringList{"ATNW+0+0+OK", "ATNW+1+1+OK", "ATNW+2+25+OK", "ATNW+3+0+OK"};
        QTest::newRow("Polish") << 2 << 7 << 0 << 24 << QStringList{"ATNW+0+7+OK", "ATNW+1+1+OK", "ATNW+2+23+OK", "ATNW+3+2+OK"};
    }
    void systemParameters()
    {
        QFETCH(int, language);
        QFETCH(int, id);
        QFETCH(int, restart);
        QFETCH(int, clear);
        QFETCH(QStringList, sent);
        Set_Language_Code(uint8_t(language));
        Page->QC_Network_ID->setCurrentIndex(id);
        Page->QC_Sync_Restart->setCurrentIndex(restart);
        Page->QC_Auto_Clear->setCurrentIndex(clear);
        const DialogSeen seen = runBatchOf(Page->PB_ID_sned);
        QCOMPARE(Serial.sent, sent);
        QCOMPARE(seen.progress, 100);
    }

    void timeSyncSendsThePcClock()
    {
        const QDateTime before = QDateTime::currentDateTime();
        runBatchOf(Page->PB_Time_syn_sned);
        QCOMPARE(Serial.sent.size(), 1);
        const QString sent = Serial.sent.constFirst();
        QVERIFY2(QRegularExpression("\\AATTW\\+\\d\\d-\\d\\d-\\d\\d-0[1-7]-\\d\\d-\\d\\d-\\d\\d\\+OK\\z").match(sent).hasMatch(),
                 qPrintable(sent));
        const QDateTime sentTime = QDateTime::fromString("20" + sent.mid(5, 8) + sent.mid(16, 9), "yyyy-MM-ddhh-mm-ss");
        QVERIFY(qAbs(sentTime.secsTo(before)) <= 2);
        QCOMPARE(sent.mid(14, 2).toInt(), before.date().dayOfWeek());
    }

    void factoryResetAsksNothing()
    {
        const DialogSeen seen = runBatchOf(Page->PB_Rec_sned);
        QCOMPARE(Serial.sent, QStringList{"ATRW+58317+OK"});
        QVERIFY(seen.log.endsWith(QStringLiteral("发送完成已停止通信.....")));
    }

    void typeNameRule_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<int>("warnings");
        QTest::newRow("plus inside") << "AB+CD" << "ABCD" << 1;
        QTest::newRow("two plus") << "A++B" << "AB" << 2;
        QTest::newRow("ten ascii") << "ABCDEFGHIJ" << "ABCDEFGH" << 0;
        QTest::newRow("five Chinese") << "一二三四五" << "一二三四" << 0;
        QTest::newRow("fits") << "普通业务" << "普通业务" << 0;
    }
    void typeNameRule()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(int, warnings);
        TestSupport::ModalCatcher boxes;
        Page->QL_Type_Name[2]->setText(typed);
        QCOMPARE(Page->QL_Type_Name[2]->text(), kept);
        QTRY_COMPARE(boxes.count(), warnings);
        for (const QString &t : boxes.texts())
            QCOMPARE(t, QStringLiteral("禁止使用特殊符号\"+\"请重新输入\r\n"));
    }

    void longPasteIsCutInOnePass()
    {
        int changes = 0;
        connect(Page->QL_Type_Name[0], &QLineEdit::textChanged, [&changes] { ++changes; });
        Page->QL_Type_Name[0]->setText(QString(10000, 'x'));
        QCOMPARE(Page->QL_Type_Name[0]->text(), QStringLiteral("xxxxxxxx"));
        QCOMPARE(changes, 2); // the paste and the one correction, not one per character
    }

private:
    DialogSeen runBatchOf(QPushButton *button, int settleMs = 0)
    {
        DialogSeen seen;
        TestSupport::closeModalWhen(
            [settleMs](QWidget *w) {
                auto *d = qobject_cast<USART_Send_QDialog_Handle *>(w);
                static QElapsedTimer opened;
                if (!opened.isValid() || d->property("seen").isNull()) {
                    d->setProperty("seen", true);
                    opened.start();
                }
                return d->batch().isComplete() || (settleMs > 0 && opened.elapsed() > settleMs);
            },
            [&seen](QWidget *w) {
                auto *d = qobject_cast<USART_Send_QDialog_Handle *>(w);
                seen.title = d->windowTitle();
                seen.log = d->Send_Info.toPlainText();
                seen.progress = d->Send_Progress.value();
                seen.size = d->size();
            });
        button->click();
        return seen;
    }

    Function_One *Page = nullptr;
    AckingSerial Serial;
};

QTEST_MAIN(tst_DeviceSettings)
#include "tst_device_settings.moc"
