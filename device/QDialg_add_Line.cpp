#include "QDialg_add_Line.h"

#include "ticket/TimeSample.h"
#include "device/Styles.h"
#include "ticket/Language.h"
#include "device/PictureBox.h"
#include "device/ControlNames.h"
#include "protocol/FieldText.h"
#include "ticket/Gbk.h"
#include "ticket/LogCategories.h"

#include <QDateTime>
#include <QLoggingCategory>

QDialg_add_Line::QDialg_add_Line(QWidget *parent, const QString *pageLines)
    : QDialog(parent)
    , QG_Alignment(this)
    , QR_Left(&QG_Alignment)
    , QR_Center(&QG_Alignment)
    , QR_Right(&QG_Alignment)
    , QR_Real_time(this)
    , Lab_Size(this)
    , Lab_Type(this)
    , Lab_Colon_Hint(this)
    , QC_Type_Choose(this)
    , QC_Choose_Line(this)
    , QC_Blank_Line(this)
    , QL_Contents(this)
    , QC_Font_Size(this)
    , QB_Add_Contents(this)
    , QB_Clear_ALL(this)
    , Page_Lines(pageLines)
{
    layoutControls();
    ControlNames::nameLineEditor(this);
    initConnections();
    QC_Choose_Line_Change(QStringLiteral("test"));
    QR_Real_time.show();
}

QDialg_add_Line::~QDialg_add_Line() = default;

void QDialg_add_Line::layoutControls()
{
    // The alignment switches and the live preview carry their words, so they get a row of their own.
    QG_Alignment.setGeometry(12, 148, 350, 52);
    QG_Alignment.setTitle(QObject::tr("对齐方式"));
    const std::pair<QRadioButton *, QString> aligns[] = {
        {&QR_Left, QObject::tr("左对齐")}, {&QR_Center, QObject::tr("居中")}, {&QR_Right, QObject::tr("右对齐")}};
    for (int i = 0; i < 3; ++i) {
        aligns[i].first->setGeometry(6 + 112 * i, 22, 112, 26);
        aligns[i].first->setText(aligns[i].second);
        aligns[i].first->setToolTip(aligns[i].second);
    }
    QR_Left.setChecked(true);
    QR_Real_time.setGeometry(368, 170, 176, 26);
    QR_Real_time.setText(QObject::tr("实时预览"));
    QR_Real_time.setToolTip(QObject::tr("实时同步预览使能"));
    for (QRadioButton *r : {&QR_Left, &QR_Center, &QR_Right, &QR_Real_time})
        r->setStyleSheet(Styles::radioIndicatorSheet());

    Lab_Size.move(14, 52);
    Lab_Size.setText(QObject::tr("字号:"));
    Lab_Type.move(355, 52);
    Lab_Type.setText(QObject::tr("类型:"));
    Lab_Colon_Hint.move(160, 132);
    Lab_Colon_Hint.setText(QObject::tr("用英文下的\":\"代替人数"));
    Lab_Colon_Hint.adjustSize();
    Lab_Colon_Hint.hide();

    QC_Type_Choose.setGeometry(404, 47, 138, 25); // clear of the caption in every language
    QC_Type_Choose.addItems({QObject::tr("普通文本"), QObject::tr("小票类型"), QObject::tr("时间类型"), QObject::tr("剩余人数")});
    QC_Choose_Line.setGeometry(35, 103, 115, 25);
    QC_Choose_Line.addItems({QObject::tr("第1行"), QObject::tr("第2行"), QObject::tr("第3行"), QObject::tr("第4行"),
                             QObject::tr("第5行"), QObject::tr("第6行"), QObject::tr("第7行"), QObject::tr("第8行"),
                             QObject::tr("第9行"), QObject::tr("第10行")});
    QC_Blank_Line.setGeometry(417, 103, 125, 25);
    QC_Blank_Line.addItems({QObject::tr("不添加空行"), QObject::tr("空1行"), QObject::tr("空2行"), QObject::tr("空3行")});
    QL_Contents.setGeometry(160, 100, 248, 30);
    QC_Font_Size.setGeometry(86, 47, 116, 25); // clear of the caption in every language
    QC_Font_Size.addItems({QObject::tr("小字体"), QObject::tr("大字体")});
    QB_Add_Contents.setGeometry(355, 220, 100, 30);
    QB_Add_Contents.setText(QObject::tr("添加"));
    QB_Clear_ALL.setGeometry(80, 220, 100, 30);
    QB_Clear_ALL.setText(QObject::tr("清除所有"));
    // Enter after typing a line must never press a button by where it stands in the focus chain
    // (清除所有 would wipe the page): only Enter in the text field adds, and only that line.
    for (QPushButton *b : {&QB_Add_Contents, &QB_Clear_ALL})
        b->setAutoDefault(false);
}

void QDialg_add_Line::initConnections()
{
    for (QRadioButton *r : {&QR_Left, &QR_Center, &QR_Right, &QR_Real_time})
        connect(r, &QRadioButton::released, this, &QDialg_add_Line::Real_time_update_display);
    connect(&QC_Type_Choose, &QComboBox::currentTextChanged, this, &QDialg_add_Line::QC_Type_Choose_Change);
    connect(&QC_Choose_Line, &QComboBox::currentTextChanged, this, &QDialg_add_Line::QC_Choose_Line_Change);
    connect(&QC_Blank_Line, &QComboBox::currentTextChanged, this, &QDialg_add_Line::Real_time_update_display);
    connect(&QL_Contents, &QLineEdit::textChanged, this, &QDialg_add_Line::QL_Contents_Change);
    connect(&QL_Contents, &QLineEdit::returnPressed, this, &QDialg_add_Line::QB_Add_Contents_clicked);
    connect(&QC_Font_Size, &QComboBox::currentTextChanged, this, &QDialg_add_Line::Real_time_update_display);
    connect(&QB_Add_Contents, &QPushButton::clicked, this, &QDialg_add_Line::QB_Add_Contents_clicked);
    connect(&QB_Clear_ALL, &QPushButton::clicked, this, &QDialg_add_Line::Clear_ALL_Contents_clicked);
}

LineRecord::Kind QDialg_add_Line::kind() const
{
    return static_cast<LineRecord::Kind>(qBound(0, QC_Type_Choose.currentIndex(), 3));
}

QString QDialg_add_Line::currentRecord() const
{
    LineRecord::Controls c;
    c.line = QC_Choose_Line.currentIndex();
    c.kind = kind();
    c.align = QR_Right.isChecked() ? LineRecord::Align::Right
            : QR_Center.isChecked() ? LineRecord::Align::Center
                                    : LineRecord::Align::Left;
    c.text = QL_Contents.text();
    c.blankLines = qMax(0, QC_Blank_Line.currentIndex());
    c.bigFont = QC_Font_Size.currentIndex() == 1;
    return LineRecord::build(c, Read_Language(false));
}

void QDialg_add_Line::QB_Add_Contents_clicked()
{
    emit Add_Button_signals(currentRecord());
}

void QDialg_add_Line::Clear_ALL_Contents_clicked()
{
    emit Add_Button_signals(QStringLiteral("Clear_ALL_Contents"));
}

void QDialg_add_Line::Real_time_update_display()
{
    // While a line is loaded the controls pass through mixes of the old and the new line (the new
    // font with the old text); none of them may reach the page.
    if (QR_Real_time.isChecked() && !Loading_Line)
        QB_Add_Contents_clicked();
}

void QDialg_add_Line::QL_Contents_Change(QString text)
{
    if (Correcting_Text)
        return;
    const bool big = QC_Font_Size.currentIndex() == 1;
    const int bigLimit = LineRecord::editorLimit(kind(), true);
    const int limit = LineRecord::editorLimit(kind(), big);
    // The final text in one pass: every "+" out (one warning each), then the longest prefix that fits.
    const FieldText cleaned = FieldText::clean(text, limit);
    for (int i = 0; i < cleaned.removedPlus; ++i)
        PictureBox::warn(this, PictureBox::WarningTitle::LineEditor, QObject::tr("禁止使用特殊符号\"+\"请重新输入") + QStringLiteral("\r\n"),
                         QStringLiteral(":/Res/Pic/ban.png"));
    if (big) {
        if (cleaned.text.size() + cleaned.removedPlus < text.size())
            qCDebug(lcEditor) << "big font text cut to" << limit << "bytes";
    } else {
        // A text too long for the big font cannot be switched to it.
        QC_Font_Size.setEnabled(Gbk::length(cleaned.text) <= bigLimit);
    }
    if (cleaned.text != text) {
        Correcting_Text = true;
        QL_Contents.setText(cleaned.text);
        Correcting_Text = false;
    }
    Real_time_update_display();
}

void QDialg_add_Line::QC_Type_Choose_Change(QString)
{
    QL_Contents.clear();
    switch (kind()) {
    case LineRecord::Kind::Plain:
        QL_Contents.setEnabled(true);
        Lab_Colon_Hint.hide();
        break;
    case LineRecord::Kind::TicketType:
        QL_Contents.setEnabled(false);
        QL_Contents.setText(QObject::tr("类型:") + QStringLiteral("0001"));
        Lab_Colon_Hint.hide();
        break;
    case LineRecord::Kind::Time:
        QC_Font_Size.setCurrentIndex(0);
        QL_Contents.setEnabled(false);
        QL_Contents.setText(TimeSample::format(QDateTime::currentDateTime(), Read_Language(false)));
        Lab_Colon_Hint.hide();
        break;
    case LineRecord::Kind::PeopleRemaining:
        QL_Contents.setEnabled(true);
        Lab_Colon_Hint.show();
        break;
    }
    Real_time_update_display();
}

void QDialg_add_Line::QC_Choose_Line_Change(QString)
{
    QC_Font_Size.setEnabled(true);
    const int slot = QC_Choose_Line.currentIndex();
    const QString record = (slot >= 0 && slot < LineRecord::SlotCount) ? Page_Lines[slot] : QString();
    qCDebug(lcEditor) << "loading line" << slot << record;
    Loading_Line = true;
    if (record.isEmpty()) {
        // An undefined line stays undefined until the operator changes something.
        QC_Font_Size.setCurrentIndex(0);
        QL_Contents.clear();
        QC_Type_Choose.setCurrentIndex(0);
        QC_Blank_Line.setCurrentIndex(0);
        QR_Left.setChecked(true);
        Loading_Line = false;
        return;
    }
    const LineRecord::Controls c = LineRecord::read(record);
    QC_Font_Size.setCurrentIndex(c.bigFont ? 1 : 0);
    if (c.align == LineRecord::Align::Center)
        QR_Center.setChecked(true);
    else if (c.align == LineRecord::Align::Right)
        QR_Right.setChecked(true);
    else
        QR_Left.setChecked(true);
    QC_Type_Choose.setCurrentIndex(static_cast<int>(c.kind));
    if (c.kind == LineRecord::Kind::Plain || c.kind == LineRecord::Kind::PeopleRemaining)
        QL_Contents.setText(c.text);
    QC_Blank_Line.setCurrentIndex(qMin(c.blankLines, 3));
    Loading_Line = false;
    Real_time_update_display();
}
