#include "ElidingLineEdit.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

ElidingLineEdit::ElidingLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
}

QRect ElidingLineEdit::textRect() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QMargins margins = textMargins();
    // QLineEdit's own horizontal text margin.
    return style()->subElementRect(QStyle::SE_LineEditContents, &option, this).marginsRemoved(margins).adjusted(2, 0, -2, 0);
}

QString ElidingLineEdit::shownText() const
{
    if (hasFocus() || echoMode() != QLineEdit::Normal)
        return text();
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, textRect().width());
}

void ElidingLineEdit::paintEvent(QPaintEvent *event)
{
    const QString shown = shownText();
    if (shown == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(textRect(), int(Qt::AlignVCenter | Qt::AlignLeft), shown);
}
