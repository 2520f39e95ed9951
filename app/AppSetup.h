#pragma once

class QApplication;
class QString;
class QTranslator;

// What main does before the window exists: resources, catalogue, codec, style sheet.
namespace AppSetup {
void initResources();
// Loads the catalogue of the language code into translator and installs it (Chinese installs none).
void installCatalogue(QApplication &app, QTranslator &translator, int languageCode);
QString globalStyleSheet();
// The icon of every window, and the desktop entry that describes the program.
void setApplicationIcon(QApplication &app);
// The round switches of the editor and pairing windows, drawn with the program's pictures.
QString radioIndicatorSheet();
} // namespace AppSetup
