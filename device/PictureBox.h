#pragma once

#include <QMessageBox>

class QWidget;
class QString;

// The program's message box: no standard icon but a 128 x 128 picture, one button, fixed frame.
namespace PictureBox {
// A picture of the resources at size x size, from its larger version where the screen is
// laid out at 2x and there is one.
QPixmap picture(const QString &path, int size);
int show(QWidget *parent, const QString &title, const QString &text, const QString &picture,
         QMessageBox::StandardButton button = QMessageBox::Ok);
} // namespace PictureBox
