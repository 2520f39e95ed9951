#include "PictureBox.h"

#include <QIcon>
#include <QPixmap>

int PictureBox::show(QWidget *parent, const QString &title, const QString &text, const QString &picture,
                     QMessageBox::StandardButton button)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, button, parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.setIconPixmap(PictureBox::picture(picture, 128));
    return box.exec();
}

QPixmap PictureBox::picture(const QString &path, int size)
{
    const QPixmap best = QIcon(path).pixmap(QSize(size, size));
    if (best.size() / best.devicePixelRatio() == QSize(size, size))
        return best;
    return QPixmap(path).scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
