#include "PictureBox.h"

#include <QPixmap>

int PictureBox::show(QWidget *parent, const QString &title, const QString &text, const QString &picture,
                     QMessageBox::StandardButton button)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, button, parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.setIconPixmap(QPixmap(picture).scaled(128, 128, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return box.exec();
}
