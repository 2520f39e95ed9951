#pragma once

class QApplication;
class QTranslator;

// What main does before the window exists: names, scaling, logging, resources, catalogue.
namespace AppSetup {
// The names settings folders and the desktop know the program by.
void setNames();
// Before the application object: high-DPI scaling (laid out at the screen's scale, with the larger
// pictures where there are some), and the debug log only when asked for.
void beforeApplication(bool verbose);
void initResources();
// Loads the catalogue of the language code into translator and installs it (Chinese installs none).
void installCatalogue(QApplication &app, QTranslator &translator, int languageCode);
// Qt's own texts (standard buttons, file dialogs) in the language of the code, from Qt's catalogues.
void installQtCatalogue(QApplication &app, QTranslator &translator, int languageCode);
// The desktop entry that describes the program; before the first window, which is named by it.
void setDesktopName();
// The icon of every window. The window sets it right after its first frame, which does not show it.
void setApplicationIcon(QApplication &app);
// The application's style, as chosen, with the quick group box frame (GroupBoxFrameStyle).
void setStyle(QApplication &app);
} // namespace AppSetup
