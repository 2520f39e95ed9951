#pragma once

#include <QComboBox>

// A combo box that builds its popup list when the list is first wanted, not when the window's style
// sheet gives it its font at the first show: Qt builds a list for that font change alone, and the
// page's lists cost the start a few milliseconds. Nothing is lost by waiting: a list, when built,
// takes its box's font as it is then, and a box never asked for its size has none kept to correct.
// Only a box that was never shown nor asked for its size (a layout asks before the first show) and
// has no line edit waits; every other font change is handled as ever.
class LazyPopupComboBox : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    bool Shown = false;
    mutable bool SizeAsked = false;
};
