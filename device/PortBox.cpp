#include "PortBox.h"

#include "ElidingLineEdit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>

namespace {
void fitPopup(QComboBox *box)
{
    const QScreen *screen = box->screen() ? box->screen() : QGuiApplication::primaryScreen();
    const int maxWidth = screen ? screen->availableGeometry().width() : 1000;
    box->view()->setMinimumWidth(PortBox::popupWidth(box, maxWidth));
}
} // namespace

void PortBox::setUp(QComboBox *box)
{
    box->setLineEdit(new ElidingLineEdit(box));
    box->view()->setTextElideMode(Qt::ElideMiddle);
    QObject::connect(box, &QComboBox::currentTextChanged, box, [box](const QString &text) {
        const int listed = box->findText(text);
        const QString whole = listed < 0 ? QString() : box->itemData(listed, Qt::ToolTipRole).toString();
        box->setToolTip(whole.isEmpty() ? text : whole);
    });
    QObject::connect(box->model(), &QAbstractItemModel::rowsInserted, box, [box] { fitPopup(box); });
    QObject::connect(box->model(), &QAbstractItemModel::modelReset, box, [box] { fitPopup(box); });
}

int PortBox::popupWidth(const QComboBox *box, int maxWidth)
{
    int widest = box->width();
    const QFontMetrics metrics = box->view()->fontMetrics();
    // Room for the item's margins and a scroll bar beside the text.
    const int extra = 4 * box->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 16
        + box->view()->verticalScrollBar()->sizeHint().width();
    for (int i = 0; i < box->count(); ++i)
        widest = qMax(widest, metrics.horizontalAdvance(box->itemText(i)) + extra);
    return qMin(widest, maxWidth);
}
