#pragma once

class QString;
class QTextEdit;

// The device page's small log: a warning that wraps over more lines than the view shows is kept
// in view from its first words, not from its last.
namespace LogView {
void appendKeepingStart(QTextEdit *log, const QString &text);
}
