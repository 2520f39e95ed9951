#include "LazyPopupComboBox.h"

#include <QAbstractItemView>
#include <QEvent>

void LazyPopupComboBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange && !Shown && !isEditable()
        && sizeAdjustPolicy() == AdjustToContentsOnFirstShow && !findChild<QAbstractItemView *>()) {
        QWidget::changeEvent(event); // repainted and laid out anew, as any widget
        return;
    }
    QComboBox::changeEvent(event);
}

void LazyPopupComboBox::showEvent(QShowEvent *event)
{
    Shown = true;
    QComboBox::showEvent(event);
}
