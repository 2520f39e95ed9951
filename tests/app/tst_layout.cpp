// Every caption and button text of the windows fits its control, no caption runs into a neighbour
// and no control overlaps another, in Chinese, English and Polish. Run at the screen's own scale,
// and (CTest tst_layout_150, tst_layout_2x) on 144- and 192-dpi screens.
#include "app/AppSetup.h"
#include "app/GroupBoxFrameStyle.h"
#include "device/Styles.h"
#include "ticket/Language.h"
#include "app/MainWindow.h"
#include "ticket/SystemDir.h"
#include "device/Function_One.h"
#include "device/Pair_Mode_Handle.h"
#include "device/Bootloader_Handle.h"
#include "device/USART_Send_QDialog_Handle.h"
#include "device/QDialg_add_Line.h"
#include "device/LazyPopupComboBox.h"
#include "device/PageHelpers.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPaintEngine>
#include <QPainter>
#include <QProgressBar>
#include <QStyleFactory>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTranslator>
#include <QVBoxLayout>
#include <QtTest>

namespace {
// The area a left-aligned, vertically centred caption's text covers, in its parent's coordinates.
QRect textArea(QWidget *w)
{
    auto *label = qobject_cast<QLabel *>(w);
    const QFontMetrics fm = w->fontMetrics();
    const QSize size(fm.horizontalAdvance(label->text()), fm.height());
    const int top = label->alignment() & Qt::AlignTop ? 0 : (label->height() - size.height()) / 2;
    return QRect(label->pos() + QPoint(label->margin(), top), size);
}

// Where the text of a caption or button ends up, in its parent's coordinates, when it is wider
// than the room the control gives it (empty when it fits).
QStringList problems(QWidget *window)
{
    QStringList found;
    const auto name = [](QWidget *w, const QString &text) {
        return QStringLiteral("%1 \"%2\"").arg(QLatin1String(w->metaObject()->className()), text);
    };
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        const auto isControl = [](QWidget *c) {
            return qobject_cast<QAbstractButton *>(c) || qobject_cast<QComboBox *>(c) || qobject_cast<QLineEdit *>(c)
                || qobject_cast<QAbstractScrollArea *>(c) || qobject_cast<QProgressBar *>(c);
        };
        if (isControl(w) && w->parentWidget() && !qobject_cast<QComboBox *>(w->parentWidget()))
            for (QWidget *other : w->parentWidget()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
                if (other < w && isControl(other) && other->isVisibleTo(window) && other->geometry().intersects(w->geometry()))
                    found << name(w, w->property("text").toString()) + QStringLiteral(" overlaps ")
                            + name(other, other->property("text").toString());
        const QFontMetrics fm = w->fontMetrics();
        if (auto *label = qobject_cast<QLabel *>(w); label && !label->text().isEmpty() && label->pixmap(Qt::ReturnByValue).isNull()
                                                     && !label->wordWrap()) {
            const int width = fm.horizontalAdvance(label->text()) + 2 * label->margin();
            if (width > label->width())
                found << name(w, label->text()) + QStringLiteral(" is cut: %1 > %2").arg(width).arg(label->width());
            for (QWidget *other : label->parentWidget()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
                if (other != label && other->isVisibleTo(window) && !qobject_cast<QGroupBox *>(other)
                    && textArea(label).intersects(qobject_cast<QLabel *>(other) ? textArea(other) : other->geometry()))
                    found << name(w, label->text()) + QStringLiteral(" runs into ") + name(other, other->property("text").toString());
        } else if (auto *button = qobject_cast<QPushButton *>(w); button && !button->text().isEmpty()) {
            const int width = fm.horizontalAdvance(button->text()) + 8; // frame and a little air
            if (width > button->width())
                found << name(w, button->text()) + QStringLiteral(" is cut: %1 > %2").arg(width).arg(button->width());
        } else if (auto *check = qobject_cast<QAbstractButton *>(w); check && !qobject_cast<QPushButton *>(w)
                   && !check->text().isEmpty()) {
            const int width = fm.horizontalAdvance(check->text()) + 20 + 8; // indicator, spacing and frame
            if (width > check->width() || check->geometry().right() >= check->parentWidget()->width())
                found << name(w, check->text()) + QStringLiteral(" is cut: %1 > %2").arg(width).arg(check->width());
        } else if (auto *group = qobject_cast<QGroupBox *>(w); group && !group->title().isEmpty()) {
            if (fm.horizontalAdvance(group->title()) + 16 > group->width())
                found << name(w, group->title()) + QStringLiteral(" is cut");
        } else if (auto *combo = qobject_cast<QComboBox *>(w); combo && !combo->isEditable()) {
            for (int i = 0; i < combo->count(); ++i)
                if (fm.horizontalAdvance(combo->itemText(i)) + 20 + 8 > combo->width()) // drop-down arrow, frame
                    found << name(w, combo->itemText(i)) + QStringLiteral(" is cut");
        }
    }
    return found;
}

// A device that draws nothing and notes the colour of every fill of rectangles on it: the quick group
// box frame fills its middle with one colour, where Fusion stretches its picture.
class FillRecorder : public QPaintDevice, QPaintEngine
{
public:
    FillRecorder() : QPaintEngine(AllFeatures) {}
    QList<QColor> fills;
    QPaintEngine *paintEngine() const override { return const_cast<FillRecorder *>(this); }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &state) override { Brush = state.brush(); }
    void drawRects(const QRectF *, int) override { fills << Brush.color(); }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    Type type() const override { return User; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        return m == PdmDevicePixelRatioScaled ? int(devicePixelRatioFScale()) : m == PdmDepth ? 32
            : m == PdmDevicePixelRatio ? 1 : m == PdmWidth || m == PdmHeight ? 1000 : 96;
    }

private:
    QBrush Brush;
};
} // namespace

class tst_Layout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppSetup::initResources();
        Styles::applyTo(*qApp);
        QVERIFY(Dir.isValid());
        SystemDir::setOverride(Dir.path());
    }

    void textsFit_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("Chinese") << 0;
        QTest::newRow("English") << 1;
        QTest::newRow("Polish") << 2;
    }
    void textsFit()
    {
        QFETCH(int, language);
        Set_Language_Code(uint8_t(language));
        QTranslator translator;
        AppSetup::installCatalogue(*qApp, translator, language);
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QStringList found = problems(&w);
        w.Ticket_Page->findChild<QLabel *>("State_Label")->setText(QObject::tr("连接状态:在线")); // the longer texts of a unit online
        w.Ticket_Page->findChild<QLabel *>("Version_Label")->setText(QObject::tr("固件版本号:") + QStringLiteral("V2.1"));
        found += problems(&w);
        // The write button's word, in the font its style sheet gives it, is as large as fits (up to 24).
        auto *write = w.Ticket_Page->findChild<QPushButton *>(QStringLiteral("Print_Write_Push"));
        QFont word = write->font();
        const int room = write->width() - 10;
        if (QFontMetrics(word).horizontalAdvance(write->text()) > room && word.pixelSize() > 8)
            found << QStringLiteral("the write button's word does not fit");
        word.setPixelSize(word.pixelSize() + 1);
        if (word.pixelSize() <= 24 && QFontMetrics(word).horizontalAdvance(write->text()) <= room)
            found << QStringLiteral("the write button's word could be larger");
        // Before a unit is connected it is disabled, and its word pale.
        const QImage shown = write->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb *pixels = reinterpret_cast<const QRgb *>(shown.constBits()), *end = pixels + shown.sizeInBytes() / 4;
        if (write->isEnabled() || std::find(pixels, end, qRgb(200, 215, 235)) == end)
            found << QStringLiteral("the disabled write button's word is not pale");
        QComboBox pairMode;
        pairMode.addItems({QStringLiteral("add"), QStringLiteral("delete")});
        for (int mode = 0; mode < 2; ++mode) {
            pairMode.setCurrentIndex(mode);
            Pair_Mode_Handle pairing(&w, &pairMode);
            pairing.setFixedSize(550, 300);
            found += check(&pairing);
        }
        QString lines[10];
        QDialg_add_Line editor(&w, lines);
        editor.setFixedSize(550, 300);
        found += check(&editor);
        editor.QC_Type_Choose.setCurrentIndex(3); // the colon hint shows
        found += check(&editor);
        QString batch[10];
        USART_Send_QDialog_Handle sending(&w, batch, &w.Ticket_Page->USART_RX_dat, QStringLiteral("PB_ID_sned"));
        sending.setFixedSize(500, 300);
        found += check(&sending);
        Bootloader_Handle firmware(&w);
        firmware.setFixedSize(550, 300);
        found += check(&firmware);
        qApp->removeTranslator(&translator);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

    // The quick group box frame draws exactly the pixels of the style it stands for, at whole scales
    // (its own way) and others (the style's), over a background of every shade, with the window's
    // style sheet.
    void groupBoxFramesAsTheirStyle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("checkable");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("scale");
        for (const qreal scale : {1.0, 1.25, 1.5, 2.0, 3.0}) {
            const QByteArray at = " at " + QByteArray::number(scale);
            QTest::newRow("titled" + at) << QStringLiteral("系统参数设置") << false << QSize(380, 175) << scale;
            QTest::newRow("untitled" + at) << QString() << false << QSize(500, 560) << scale;
            QTest::newRow("checkable" + at) << QStringLiteral("Others setting") << true << QSize(380, 125) << scale;
            QTest::newRow("untitled, checkable" + at) << QString() << true << QSize(200, 90) << scale;
            QTest::newRow("too small for a middle" + at) << QStringLiteral("取号器") << false << QSize(40, 30) << scale;
        }
    }
    void groupBoxFramesAsTheirStyle()
    {
        QFETCH(QString, title);
        QFETCH(bool, checkable);
        QFETCH(QSize, size);
        QFETCH(qreal, scale);
        GroupBoxFrameStyle quick(QStringLiteral("Fusion"));
        {
            // Drawn before anything asks for its picture, as in the program: the quick way or not at all.
            QGroupBox box(title);
            box.setCheckable(checkable);
            box.resize(size);
            QStyleOptionFrame frame;
            frame.initFrom(&box);
            FillRecorder device;
            QPainter painter(&device);
            quick.drawPrimitive(QStyle::PE_FrameGroupBox, &frame, &painter, &box);
            QCOMPARE(device.fills.contains(quick.centreColour()), size.height() > 40);
        }
        QVERIFY2(quick.centreColour().isValid(), "this Qt's Fusion frame has no one-colour middle: nothing is quicker");
        QScopedPointer<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        auto draw = [&](QStyle *style) {
            QGroupBox box(title);
            box.setCheckable(checkable);
            box.setStyle(style);
            box.resize(size);
            QImage image((size + QSize(3, 5)) * scale, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(scale);
            QPainter painter(&image);
            QLinearGradient shades(0, 0, size.width(), size.height());
            shades.setColorAt(0, Qt::white);
            shades.setColorAt(0.5, QColor(40, 120, 200));
            shades.setColorAt(1, Qt::black);
            painter.fillRect(QRect(QPoint(), size + QSize(3, 5)), shades);
            box.render(&painter, QPoint(3, 5), QRegion(), QWidget::DrawChildren); // off the device grid at 1.25
            return image;
        };
        const QImage expected = draw(fusion.data());
        const QImage drawn = draw(&quick);
        QCOMPARE(drawn.size(), expected.size());
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                if (drawn.pixel(x, y) != expected.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3, the style draws %4").arg(x).arg(y)
                                         .arg(drawn.pixel(x, y), 8, 16).arg(expected.pixel(x, y), 8, 16)));
    }

    // Every control of the window asks for the one family the style sheet names, those the sheet
    // leaves to the default font too, at the default size: one family with its Chinese fallback to
    // load before the first frame.
    void oneFamily()
    {
        {
            // As a platform sets them: a default font and one of a class's own, both kept in size.
            const QFont before = QApplication::font();
            const auto restore = qScopeGuard([&before] { QApplication::setFont(before); });
            QApplication::setFont(QFont(QStringLiteral("DejaVu Serif"), 13));
            QApplication::setFont(QFont(QStringLiteral("DejaVu Sans Mono"), 15), "QStatusBar");
            Styles::applyTo(*qApp);
            QCOMPARE(QApplication::font().family(), Styles::fontFamily());
            QCOMPARE(QApplication::font().pointSize(), 13);
            QCOMPARE(QApplication::font("QStatusBar").family(), Styles::fontFamily());
            QCOMPARE(QApplication::font("QStatusBar").pointSize(), 15);
            QCOMPARE(QApplication::font("QMenuBar"), QApplication::font());
        }
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.menuBar()->isVisible() && w.statusBar()->isVisible());
        QStringList others;
        for (const QWidget *widget : w.findChildren<QWidget *>())
            if (widget->font().family() != Styles::fontFamily())
                others << widget->objectName() + QLatin1Char(' ') + widget->metaObject()->className() + QLatin1Char(' ')
                              + widget->font().family();
        QVERIFY2(others.isEmpty(), qPrintable(others.join(QLatin1Char('\n'))));
    }

    // The whole window as plain Fusion draws it, every control, at whole scales.
    void windowAsItsStyle()
    {
        MainWindow w;
        w.resize(1000, 650);
        auto draw = [&w](QStyle *style, qreal scale) {
            qApp->setStyle(style);
            QImage image(w.size() * scale, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(scale);
            image.fill(Qt::white);
            w.render(&image);
            return image;
        };
        for (const qreal scale : {1.0, 2.0}) {
            const QImage expected = draw(QStyleFactory::create(QStringLiteral("Fusion")), scale);
            const QImage drawn = draw(new GroupBoxFrameStyle(QStringLiteral("Fusion")), scale);
            QVERIFY2(drawn == expected, qPrintable(QStringLiteral("the window differs at %1").arg(scale)));
        }
    }

    // A box never shown nor laid out builds its popup list only when the list is first shown (by a real
    // F4, closed by Escape), and then it is the list a plain box treated alike shows, in a box of the
    // same size; any other box builds it at once. With the window's style sheet and without.
    void popupListFont_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("held");
        QTest::addColumn<bool>("sheet");
        for (const bool sheet : {true, false})
            for (const auto &[before, held] : {std::pair<QString, bool>{"nothing", true}, {"line edit", false},
                                               {"shown", false}, {"laid out", false}})
                QTest::addRow("%s, %s", qPrintable(before), sheet ? "style sheet" : "no style sheet") << before << held << sheet;
    }
    void popupListFont()
    {
        QFETCH(QString, before);
        QFETCH(bool, held);
        QFETCH(bool, sheet);
        const QString windowSheet = qApp->styleSheet();
        if (!sheet)
            qApp->setStyleSheet(QString());
        const auto restore = qScopeGuard([&] { qApp->setStyleSheet(windowSheet); });
        QWidget window;
        auto *layout = before == QLatin1String("laid out") ? new QVBoxLayout(&window) : nullptr;
        auto *box = new LazyPopupComboBox(&window);
        auto *twin = new QComboBox(&window); // a plain box, treated alike
        for (QComboBox *b : {static_cast<QComboBox *>(box), twin}) {
            b->setGeometry(10, b == twin ? 50 : 10, 150, 25);
            b->addItems({QStringLiteral("禁止"), QStringLiteral("Allowed"), QStringLiteral("23:00 every day")});
            if (before == QLatin1String("line edit"))
                b->setLineEdit(new QLineEdit);
            if (layout)
                layout->addWidget(b);
        }
        window.adjustSize(); // the layout, if any, takes the boxes' sizes as they are now
        if (before == QLatin1String("shown")) {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
        }
        QFont font = box->font();
        font.setPixelSize(19);
        box->setFont(font);
        twin->setFont(font);
        QCOMPARE(box->findChild<QAbstractItemView *>() == nullptr, held);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(box->sizeHint(), twin->sizeHint());
        QCOMPARE(box->size(), twin->size());
        box->setFocus();
        QTest::keyClick(box, Qt::Key_F4);
        QAbstractItemView *list = box->view();
        QTRY_VERIFY(list->isVisible());
        QCOMPARE(list->font(), twin->view()->font());
        QCOMPARE(list->sizeHintForRow(0), twin->view()->sizeHintForRow(0));
        QTest::keyClick(list, Qt::Key_Escape);
        QTRY_VERIFY(!list->isVisible());
    }

    // The page's boxes show nothing of the above: their lists, built when first shown, are pixel for
    // pixel those of plain boxes made beside them.
    void pageListsAsPlainOnes()
    {
        MainWindow w;
        QList<QComboBox *> lazy, plain;
        for (const char *name : {"QC_Network_ID", "QC_Auto_Clear", "QC_Sync_Restart", "QC_Pair_Mode"}) {
            auto *box = w.Ticket_Page->findChild<QComboBox *>(QLatin1String(name));
            QVERIFY2(box, name);
            auto *twin = new QComboBox(box->parentWidget());
            twin->setGeometry(box->geometry());
            for (int i = 0; i < box->count(); ++i)
                twin->addItem(box->itemText(i));
            twin->setCurrentIndex(box->count() - 1);
            box->setCurrentIndex(box->count() - 1);
            lazy << box;
            plain << twin;
        }
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const auto shown = [](QComboBox *box) {
            box->setFocus();
            QTest::keyClick(box, Qt::Key_F4);
            if (!QTest::qWaitFor([box] { return box->view()->isVisible(); }))
                return QImage();
            const QImage image = box->view()->window()->grab().toImage();
            QTest::keyClick(box->view(), Qt::Key_Escape);
            return QTest::qWaitFor([box] { return !box->view()->isVisible(); }) ? image : QImage();
        };
        for (int i = 0; i < lazy.size(); ++i) {
            QVERIFY2(!lazy[i]->findChild<QAbstractItemView *>(), qPrintable(lazy[i]->objectName()));
            const QImage expected = shown(plain[i]);
            const QImage drawn = shown(lazy[i]);
            QVERIFY(!expected.isNull());
            QCOMPARE(drawn.size(), expected.size());
            QVERIFY2(drawn == expected, qPrintable(lazy[i]->objectName()));
            QCOMPARE(lazy[i]->view()->font(), plain[i]->view()->font());
        }
    }

    // The write button's word is as large as fits, from 24 pixels down: the size found from the
    // widest one is the one trying every size from the top finds, in each language, for every room.
    void wordSize_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("hinting");
        // Full hinting rounds each letter to whole pixels, so that widths stray from the straight line
        // the first guess follows, either way.
        for (const auto hinting : {QFont::PreferDefaultHinting, QFont::PreferFullHinting})
            for (const char *word : {"写", "Write", "Zapisz", "同步时间", "W", "", "iiiiiiiiiiii", "ttttttt", ".........."})
                QTest::addRow("%s, hinting %d", word, int(hinting)) << QString::fromUtf8(word) << int(hinting);
    }
    void wordSize()
    {
        QFETCH(QString, word);
        QFETCH(int, hinting);
        QFont font(QStringLiteral("Arial"));
        font.setBold(true);
        font.setHintingPreference(QFont::HintingPreference(hinting));
        for (int room = -5; room <= 120; ++room) {
            int expected = 24;
            for (; expected > 8; --expected) {
                font.setPixelSize(expected);
                if (QFontMetrics(font).horizontalAdvance(word) <= room)
                    break;
            }
            QCOMPARE(PageHelpers::wordSize(font, word, room), expected);
        }
    }

private:
    static QStringList check(QDialog *dialog)
    {
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog))
            return {QStringLiteral("window not shown")};
        const QStringList found = problems(dialog);
        // TQ_LAYOUT_SHOTS=DIR keeps a picture of each window, to look at.
        if (const QString dir = qEnvironmentVariable("TQ_LAYOUT_SHOTS"); !dir.isEmpty())
            dialog->grab().save(QStringLiteral("%1/%2-%3.png").arg(dir, dialog->metaObject()->className()).arg(Read_Language(false)));
        dialog->hide();
        return found;
    }

    QTemporaryDir Dir;
};

int main(int argc, char *argv[])
{
    AppSetup::beforeApplication(false); // as the program starts: laid out at the screen's scale
    QApplication app(argc, argv);
    tst_Layout test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_layout.moc"
