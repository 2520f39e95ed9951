#include "app/AppSetup.h"
#include "app/Language.h"
#include "device/Function_One.h"
#include "device/Pair_Mode_Handle.h"
#include "device/PairingReply.h"
#include "serial/IFunction.h"
#include "testsupport/TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {
class RecordingSerial : public IFunction
{
public:
    QStringList USART_COM_List() override { return {}; }
    bool USART_Open(const QString &) override { return true; }
    void USART_Close() override {}
    QString USART_COM_Location(const QString &) const override { return {}; }
    void USART_Send(const QString &str) override { sent << str; }
    QStringList sent;
};
} // namespace

class tst_Pairing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { AppSetup::initResources(); }
    void init()
    {
        Set_Language_Code(Language_Chinese);
        Mode.clear();
        Mode.addItems({"添加取号器", "删除取号器"});
    }

    void replies_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fromUnit");
        QTest::addColumn<QString>("status"); // "-" for unchanged
        QTest::addColumn<QStringList>("lines"); // five entries, "-" for unchanged
        QTest::addColumn<int>("picture");
        QTest::addColumn<bool>("advance");
        const QString u = "-";
        QTest::newRow("SUCCESS 3") << "ATAW+3+SUCCESS+1001\r\n" << true << "类型 3 匹配成功."
                                   << QStringList{u, u, "类型 3 : 1001", u, u} << 1 << true;
        QTest::newRow("SUCCESS 9") << "ATAW+9+SUCCESS+x" << true << "类型 9 匹配成功." << QStringList{u, u, u, u, u} << 1 << true;
        QTest::newRow("REPEAT") << "ATAW+2+REPEAT+4\r\n" << true << "此叫号器已经与类型 4 配对..."
                                << QStringList{u, u, u, u, u} << 2 << false;
        QTest::newRow("Delete ALL") << "ATAW+Delete+ALL\r\n" << true << "已经删除全部类型."
                                    << QStringList{"类型 ---", "类型 ---", "类型 ---", "类型 ---", "类型 ---"} << 0 << false;
        QTest::newRow("Delete 5") << "ATAW+Delete+5" << true << "类型 5 删除成功." << QStringList{u, u, u, u, "类型 5"} << 0 << true;
        QTest::newRow("Delete 5 CR LF") << "ATAW+Delete+5\r\n" << true << "类型 5 删除成功."
                                        << QStringList{u, u, u, u, "类型 5"} << 0 << true;
        QTest::newRow("Delete 5 with more") << "ATAW+Delete+5+x" << true << "类型 5 删除成功."
                                            << QStringList{u, u, u, u, "类型 5"} << 0 << true;
        QTest::newRow("READ 1") << "ATAW+1+READ+1001\r\n" << true << u << QStringList{"类型 1 : 1001", u, u, u, u} << 0 << false;
        QTest::newRow("two READ in one burst") << "ATAW+2+READ+7\r\nATAW+3+READ+8\r\n" << true << u
                                               << QStringList{u, "类型 2 : 7\r\nATAW", u, u, u} << 0 << false;
        QTest::newRow("READ type 0") << "ATAW+0+READ+x" << true << u << QStringList{u, u, u, u, u} << 0 << false;
        QTest::newRow("ATAW alone") << "ATAW" << true << u << QStringList{u, u, u, u, u} << 0 << false;
        QTest::newRow("state reply") << "ATSW+V2.1+OK\r\n" << false << u << QStringList{u, u, u, u, u} << 0 << false;
        QTest::newRow("lower case") << "ataw+1+SUCCESS+x" << false << u << QStringList{u, u, u, u, u} << 0 << false;
    }
    void replies()
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

    void addMode()
    {
        Pair_Mode_Handle d(nullptr, &Mode);
        QCOMPARE(d.Set_up_Button->text(), QStringLiteral("添 加"));
        QCOMPARE(d.Type_Choose->count(), 5);
        QCOMPARE(d.Type_Choose_Label->text(), QStringLiteral("添加类型:"));
        QCOMPARE(d.State_Text->text(), QStringLiteral("请选择类型点击添加后按住取号器上的按键..."));
        QCOMPARE(d.pictureName(), QStringLiteral(":/Res/Pic/add_sta.png"));
        QCOMPARE(d.Type_State[0]->text(), QStringLiteral("类型1"));
        QCOMPARE(d.Type_State[4]->geometry(), QRect(200, 75, 150, 30));
        QCOMPARE(d.Type_State[1]->geometry(), QRect(360, 25, 150, 30));
        QVERIFY(!d.Auto_Switch.isChecked());

        QSignalSpy sent(&d, &Pair_Mode_Handle::USART_SEND_SIGNALS);
        d.Type_Choose->setCurrentIndex(2);
        d.Set_up_Button->click();
        QCOMPARE(sent.last().at(0).toString(), QStringLiteral("ATAW+ADD+3+OK"));
        QCOMPARE(d.pictureName(), QStringLiteral(":/Res/Pic/Hold_down.png"));
    }

    void successWithAndWithoutAutoAdvance_data()
    {
        QTest::addColumn<bool>("autoSwitch");
        QTest::newRow("auto advance") << true;
        QTest::newRow("stays") << false;
    }
    void successWithAndWithoutAutoAdvance()
    {
        QFETCH(bool, autoSwitch);
        Pair_Mode_Handle d(nullptr, &Mode);
        d.Auto_Switch.setChecked(autoSwitch);
        d.Type_Choose->setCurrentIndex(2);
        d.USART_RETURN_dat_Handel("ATAW+3+SUCCESS+1001");
        QCOMPARE(d.Type_State[2]->text(), QStringLiteral("类型 3 : 1001"));
        if (autoSwitch) {
            QCOMPARE(d.Type_Choose->currentText(), QStringLiteral("4"));
            QCOMPARE(d.State_Text->text(), QStringLiteral("请选择类型点击添加后按住取号器上的按键..."));
            QCOMPARE(d.pictureName(), QStringLiteral(":/Res/Pic/add_sta.png"));
        } else {
            QCOMPARE(d.Type_Choose->currentText(), QStringLiteral("3"));
            QCOMPARE(d.State_Text->text(), QStringLiteral("类型 3 匹配成功."));
            QCOMPARE(d.pictureName(), QStringLiteral(":/Res/Pic/ADD_OVER.png"));
        }
    }

    void repeatShowsCross()
    {
        Pair_Mode_Handle d(nullptr, &Mode);
        d.USART_RETURN_dat_Handel("ATAW+2+REPEAT+4");
        QCOMPARE(d.State_Text->text(), QStringLiteral("此叫号器已经与类型 4 配对..."));
        QCOMPARE(d.pictureName(), QStringLiteral(":/Res/Pic/ADD_ERROR.png"));
        QCOMPARE(d.Type_State[1]->text(), QStringLiteral("类型2"));
    }

    void deleteMode()
    {
        Mode.setCurrentIndex(1);
        Pair_Mode_Handle d(nullptr, &Mode);
        QCOMPARE(d.Type_Choose->count(), 6);
        QCOMPARE(d.Type_Choose->itemText(5), QStringLiteral("ALL"));
        QCOMPARE(d.Set_up_Button->text(), QStringLiteral("删除"));
        QCOMPARE(d.pictureName(), QStringLiteral(":/Res/Pic/Delete_sta.png"));
        QSignalSpy sent(&d, &Pair_Mode_Handle::USART_SEND_SIGNALS);
        d.Type_Choose->setCurrentIndex(5);
        d.Set_up_Button->click();
        QCOMPARE(sent.last().at(0).toString(), QStringLiteral("ATAW+Delete+ALL+OK"));
        QCOMPARE(d.pictureName(), QStringLiteral(":/Res/Pic/Delete_sta.png"));

        d.Auto_Switch.setChecked(true);
        d.Type_Choose->setCurrentIndex(4);
        d.USART_RETURN_dat_Handel("ATAW+Delete+5");
        QCOMPARE(d.Type_State[4]->text(), QStringLiteral("类型 5"));
        QCOMPARE(d.Type_Choose->currentText(), QStringLiteral("5")); // stays on 5
        d.USART_RETURN_dat_Handel("ATAW+Delete+ALL");
        for (QLabel *l : d.Type_State)
            QCOMPARE(l->text(), QStringLiteral("类型 ---"));
    }

    void pageOpensDialogAndReadsAll()
    {
        Function_One page(nullptr);
        RecordingSerial serial;
        page.Set_Function(&serial);
        page.USART_RX_dat = "ATNW+3+OK!\r\n";
        QString title;
        TestSupport::answerNextModal([&](QWidget *w) {
            title = w->windowTitle();
            auto *d = qobject_cast<Pair_Mode_Handle *>(w);
            page.Receive_Data("ATAW+1+READ+1001\r\n");
            QCOMPARE(d->Type_State[0]->text(), QStringLiteral("类型 1 : 1001"));
            d->Set_up_Button->click();
        });
        page.Pair_Set_Push->setEnabled(true);
        page.Pair_Set_Push->click();
        QCOMPARE(title, QStringLiteral("Pair Mode"));
        QCOMPARE(serial.sent, (QStringList{"ATAW+READ+ALL+OK", "ATAW+ADD+1+OK"}));
    }

private:
    QComboBox Mode;
};

QTEST_MAIN(tst_Pairing)
#include "tst_pairing.moc"
