#include "PictureBox.h"

#include "ticket/Language.h"

#include <QCoreApplication>
#include <QIcon>
#include <QPixmap>

namespace {
// Where lupdate finds the two translated titles, in the contexts the catalogues keep them in.
const char *const PageTitle = QT_TRANSLATE_NOOP("Function_One", "Warning");
const char *const EditorTitle = QT_TRANSLATE_NOOP("QDialg_add_Line", "Warning");
} // namespace

QString PictureBox::warningTitle(WarningTitle rule)
{
    switch (rule) {
    case WarningTitle::Page:
        return QCoreApplication::translate("Function_One", PageTitle);
    case WarningTitle::LineEditor:
        return QCoreApplication::translate("QDialg_add_Line", EditorTitle);
    case WarningTitle::Link:
        return Read_Language(false) == Language_Polish ? QStringLiteral("Ostrzeżenie") : QStringLiteral("Warning");
    case WarningTitle::Plain:
        break;
    }
    return QStringLiteral("Warning");
}

int PictureBox::show(QWidget *parent, const QString &title, const QString &text, const QString &picture,
                     QMessageBox::StandardButton button)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, button, parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.setIconPixmap(PictureBox::picture(picture, 128));
    return box.exec();
}

int PictureBox::warn(QWidget *parent, WarningTitle rule, const QString &text, const QString &picture)
{
    return show(parent, warningTitle(rule), text, picture);
}

QPixmap PictureBox::picture(const QString &path, int size)
{
    const QPixmap best = QIcon(path).pixmap(QSize(size, size));
    if (best.size() / best.devicePixelRatio() == QSize(size, size))
        return best;
    return QPixmap(path).scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
