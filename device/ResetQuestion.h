#pragma once

class QWidget;

// Restoring the factory settings wipes the unit: the operator is asked first, and anything but a
// clear Yes (No is the default, Escape and the title bar mean No) sends nothing.
namespace ResetQuestion {
bool confirmed(QWidget *parent);
}
