#pragma once

class QString;

// The program's look, shared by the main window and its dialogs.
namespace Styles {
QString globalStyleSheet();
// The round switches of the editor and pairing windows, drawn with the program's pictures.
QString radioIndicatorSheet();
} // namespace Styles
