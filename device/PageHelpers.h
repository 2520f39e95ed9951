#pragma once

class QFont;
class QLineEdit;
class QPushButton;
class QString;
class QTextEdit;

// Small things the device page shows the operator, kept out of the page itself.
namespace PageHelpers {
// One line at the end of the page's log, and in the debug log.
void appendLog(QTextEdit *log, const QString &line);
// A type name the unit takes only in part: the field is set to kept, what will be sent, and while it
// is at the limit after a cut it says so in its colour and tooltip. typed is what the operator typed.
void showKept(QLineEdit *field, const QString &typed, const QString &kept, int maxBytes);
// A picture button that carries a word: the plain pictures with the word, in the window's language,
// drawn over them as large as fits.
void setWordPicture(QPushButton *button, const QString &word, const QString &normal, const QString &pressed);
// The largest pixel size from 24 down to 9 at which word, in font, is at most room wide; 8 if none is.
// Found from the width at 24 and its neighbours, so exact where widths grow with the size, as they do
// for the fonts the page draws with; where a hinted font's width dips as the size grows, it may be a
// step or two smaller, but it always fits.
int wordSize(QFont font, const QString &word, int room);
} // namespace PageHelpers
