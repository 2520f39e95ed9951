#pragma once

#include <QMessageBox>

class QWidget;
class QString;

// The program's message box: no standard icon but a 128 x 128 picture, one button, fixed frame.
namespace PictureBox {
// Whose rule a warning's title follows; each keeps the words and the catalogue context it had.
enum class WarningTitle {
    Plain,      // "Warning", never translated: the window's menus, files and questions
    Page,       // "Warning" in the device page's context ("Ostrzeżenie" from the Polish catalogue)
    LineEditor, // "Warning" in the line editor's context
    Link,       // "Ostrzeżenie" when the language is Polish, else "Warning": a link that failed
};
QString warningTitle(WarningTitle rule);

// A picture of the resources at size x size, from its larger version where the screen is
// laid out at 2x and there is one.
QPixmap picture(const QString &path, int size);
int show(QWidget *parent, const QString &title, const QString &text, const QString &picture,
         QMessageBox::StandardButton button = QMessageBox::Ok);
// A warning with one OK button, titled by its rule.
int warn(QWidget *parent, WarningTitle rule, const QString &text, const QString &picture);
} // namespace PictureBox
