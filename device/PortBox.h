#pragma once

class QComboBox;
class QString;

// The port box: stable names (/dev/serial/by-id/...) are long and differ at their end, so the box
// elides them in the middle, shows the whole name as a tooltip and opens a popup wide enough. A
// unit found on the network shows its address and origin as tooltip and accessible description.
namespace PortBox {
// For an editable box; replaces its line edit.
void setUp(QComboBox *box);
// The popup width that shows every entry whole, at most maxWidth.
int popupWidth(const QComboBox *box, int maxWidth);
// Entry i's system location (its item data) and where it leads (tooltip and accessible description;
// a server's whole address when nothing else is said).
void describeEntry(QComboBox *box, int i, const QString &location, QString details);
} // namespace PortBox
