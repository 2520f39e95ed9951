#pragma once

#include <QLineEdit>

// A line edit that, while it is not being edited, shows a text too long for it elided in the
// middle; the text itself is never changed.
class ElidingLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit ElidingLineEdit(QWidget *parent = nullptr);

    // What is painted while the field has no focus.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textRect() const;
};
