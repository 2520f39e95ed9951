#pragma once

class Bootloader_Handle;
class Function_One;
class MainWindow;
class QDialg_add_Line;
class QWidget;

// What a screen reader says for each control, and the order the Tab key visits them: names in the
// window's language, unique within the window, set where the windows are built.
namespace ControlNames {
void nameMainWindow(MainWindow *window);
void nameDevicePage(Function_One *page);
void nameLineEditor(QDialg_add_Line *editor);
void nameFirmwareWindow(Bootloader_Handle *dialog);
// Each combo box and text field without a name takes the caption left of it on its row as buddy
// and name (without the trailing colon).
void nameFromCaptions(QWidget *container);
} // namespace ControlNames
