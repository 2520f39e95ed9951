#include "PortBox.h"

#include "ElidingLineEdit.h"
#include "serial/PortAddress.h"

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
// The whole name, or what a found unit's entry says about where it leads.
void describe(QComboBox *box, const QString &text)
{
    const int listed = box->findText(text);
    const QString details = listed >= 0 ? box->itemData(listed, Qt::ToolTipRole).toString() : QString();
    box->setToolTip(details.isEmpty() ? text : details);
    box->setAccessibleDescription(details);
}
} // namespace

void PortBox::setUp(QComboBox *box)
{
    box->setLineEdit(new ElidingLineEdit(box));
    box->view()->setTextElideMode(Qt::ElideMiddle);
    QObject::connect(box, &QComboBox::currentTextChanged, box, [box](const QString &text) { describe(box, text); });
    // A found unit's address may change under its entry.
    QObject::connect(box->model(), &QAbstractItemModel::dataChanged, box, [box] { describe(box, box->currentText()); });
    QObject::connect(box->model(), &QAbstractItemModel::rowsInserted, box, [box] { fitPopup(box); });
    QObject::connect(box->model(), &QAbstractItemModel::modelReset, box, [box] { fitPopup(box); });
}

void PortBox::describeEntry(QComboBox *box, int i, const QString &location, QString details)
{
    // A server is shown short in the box; its whole address (its files) is in the tooltip.
    if (details.isEmpty() && PortAddress::looksRemote(location))
        details = location;
    // Only what changed: the box puts the current entry back into its line edit on any change.
    for (const auto &[role, value] : {std::pair<int, QVariant>{Qt::UserRole, location},
                                      {Qt::ToolTipRole, details.isEmpty() ? QVariant() : details},
                                      {Qt::AccessibleDescriptionRole, details.isEmpty() ? QVariant() : details}})
        if (box->itemData(i, role) != value)
            box->setItemData(i, value, role);
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
