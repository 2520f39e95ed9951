#pragma once

class QApplication;
class QString;

// The program's look, shared by the main window and its dialogs.
namespace Styles {
QString globalStyleSheet();
// The family the sheet gives the page's texts. The application's fonts take it too, so the few
// controls the sheet leaves to them (the menu bar and menus, the status bar, the preview and the logs,
// the dialogs' radio buttons) are drawn in it as well, and the first frame loads one family with its
// Chinese fallback, not two.
QString fontFamily();
// The sheet set on the application, after the default font and the fonts the platform gives some
// classes of their own (menus, the status bar, tool tips...) have taken the family, each at its size.
void applyTo(QApplication &app);
// The round switches of the editor and pairing windows, drawn with the program's pictures.
QString radioIndicatorSheet();
} // namespace Styles
