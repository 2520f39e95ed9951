#pragma once

class QApplication;
class QString;

// The program's look, shared by the main window and its dialogs.
namespace Styles {
QString globalStyleSheet();
// The family the sheet gives the page's texts. The application's default font takes it too, so the
// few controls the sheet leaves to the default (menu bar, status bar, check boxes, the preview) are
// drawn in it as well, and the first frame loads one family with its Chinese fallback, not two.
QString fontFamily();
// The sheet set on the application, after the default font has taken the family at its own size.
void applyTo(QApplication &app);
// The round switches of the editor and pairing windows, drawn with the program's pictures.
QString radioIndicatorSheet();
} // namespace Styles
