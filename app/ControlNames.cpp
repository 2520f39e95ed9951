#include "ControlNames.h"

#include "MainWindow.h"
#include "device/Function_One.h"
#include "device/Bootloader_Handle.h"
#include "device/QDialg_add_Line.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
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

void chainTabOrder(std::initializer_list<QWidget *> order)
{
    QWidget *previous = nullptr;
    for (QWidget *w : order) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}
} // namespace

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

void ControlNames::nameMainWindow(MainWindow *window)
{
    window->tabWidget->tabBar()->setAccessibleName(QObject::tr("页面"));
    window->Help_Picture->setAccessibleName(QObject::tr("打开视频教程"));
    window->Help_Picture->setToolTip(QObject::tr("点我^.^打开视频教程"));
    if (window->Update_Log_View)
        window->Update_Log_View->setAccessibleName(QObject::tr("版本更新记录"));
    nameDevicePage(window->Ticket_Page);
}

void ControlNames::nameDevicePage(Function_One *page)
{
    nameFromCaptions(page);
    page->QB_Add_Line->setAccessibleName(QObject::tr("添加小票内容"));
    page->Print_Write_Push->setAccessibleName(QObject::tr("写入小票内容"));
    page->Print_Preview->setAccessibleName(QObject::tr("小票预览"));
    page->QC_COM_Choose->setAccessibleName(QObject::tr("端口"));
    page->QC_COM_Choose->lineEdit()->setAccessibleName(QObject::tr("端口名称"));
    page->TYPE_PB_SET->setAccessibleName(QObject::tr("设置类型名称"));
    page->PB_ID_sned->setAccessibleName(QObject::tr("设置系统参数"));
    page->Pair_Set_Push->setAccessibleName(QObject::tr("设置取号器配对"));
    page->USART_Log->setAccessibleName(QObject::tr("通信记录"));
    // Down the left column, then the right one row by row.
    chainTabOrder({page->QB_Add_Line, page->Print_Preview, page->Print_Write_Push, page->QC_COM_Choose,
                   page->QB_OPEN_USART, page->QL_Type_Name[0], page->QL_Type_Name[1], page->QL_Type_Name[2],
                   page->QL_Type_Name[3], page->QL_Type_Name[4], page->TYPE_PB_SET, page->QC_Network_ID,
                   page->PB_ID_sned, page->QC_Auto_Clear, page->QC_Sync_Restart, page->QC_Pair_Mode,
                   page->Pair_Set_Push, page->USART_Log, page->PB_Time_syn_sned, page->PB_Rec_sned});
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
