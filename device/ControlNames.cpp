#include "ControlNames.h"

#include "Bootloader_Handle.h"
#include "QDialg_add_Line.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

namespace {
QString withoutColon(QString caption)
{
    caption = caption.simplified();
    while (caption.endsWith(QLatin1Char(':')) || caption.endsWith(QChar(0xFF1A)))
        caption.chop(1);
    return caption.trimmed();
}

// The caption on the control's row, nearest to its left, among its siblings.
QLabel *captionOf(QWidget *control)
{
    QLabel *best = nullptr;
    const QRect c = control->geometry();
    for (QLabel *label : control->parentWidget()->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect l = label->geometry();
        const bool sameRow = qAbs(l.center().y() - c.center().y()) <= c.height() / 2 + 4;
        if (sameRow && l.left() < c.left() && !label->text().isEmpty() && (!best || l.left() > best->geometry().left()))
            best = label;
    }
    return best;
}

} // namespace

void ControlNames::chainTabOrder(std::initializer_list<QWidget *> order)
{
    QWidget *previous = nullptr;
    for (QWidget *w : order) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void ControlNames::nameFromCaptions(QWidget *container)
{
    QList<QWidget *> fields;
    for (QComboBox *box : container->findChildren<QComboBox *>())
        fields << box;
    for (QLineEdit *edit : container->findChildren<QLineEdit *>())
        if (!qobject_cast<QComboBox *>(edit->parentWidget()))
            fields << edit;
    for (QWidget *field : qAsConst(fields)) {
        if (!field->accessibleName().isEmpty())
            continue;
        if (QLabel *caption = captionOf(field)) {
            caption->setBuddy(field);
            field->setAccessibleName(withoutColon(caption->text()));
        }
    }
}

void ControlNames::nameLineEditor(QDialg_add_Line *editor)
{
    nameFromCaptions(editor);
    editor->QC_Choose_Line.setAccessibleName(QObject::tr("行"));
    editor->QL_Contents.setAccessibleName(QObject::tr("内容"));
    editor->QC_Blank_Line.setAccessibleName(QObject::tr("空行"));
    chainTabOrder({&editor->QC_Font_Size, &editor->QC_Type_Choose, &editor->QC_Choose_Line, &editor->QL_Contents,
                   &editor->QC_Blank_Line, &editor->QR_Left, &editor->QR_Center, &editor->QR_Right,
                   &editor->QR_Real_time, &editor->QB_Clear_ALL, &editor->QB_Add_Contents});
}

void ControlNames::nameFirmwareWindow(Bootloader_Handle *dialog)
{
    dialog->Info_Text.setAccessibleName(QObject::tr("升级记录"));
    chainTabOrder({&dialog->Info_Text, dialog->Open_Button, dialog->Update_Button});
}
