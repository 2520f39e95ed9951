#include "LazyPopupComboBox.h"

#include <QAbstractItemView>
#include <QEvent>

void LazyPopupComboBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange && !Shown && !SizeAsked && !isEditable()
        && !findChild<QAbstractItemView *>()) {
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

// A size worked out now is kept by the box until a font change it sees in full.
QSize LazyPopupComboBox::sizeHint() const
{
    SizeAsked = true;
    return QComboBox::sizeHint();
}

QSize LazyPopupComboBox::minimumSizeHint() const
{
    SizeAsked = true;
    return QComboBox::minimumSizeHint();
}
