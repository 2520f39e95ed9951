#pragma once

class QString;
class QTextEdit;

// The device page's small log. It keeps a terminal's scrollback: at most MaxBlocks lines, the
// oldest dropped, and a line without a break is broken for display every MaxLineLength characters,
// so a unit that floods the line (wrong speed, noise) never makes one paragraph that is laid out
// again on every text. Replies of a healthy unit are far shorter and shown exactly as received.
namespace LogView {
constexpr int MaxBlocks = 1000;
constexpr int MaxLineLength = 1024;
// Dropping the oldest line moves every other one: done a hundred at a time, not once per text.
constexpr int TrimBlocks = 100;

void setUp(QTextEdit *log);
// The text as shown when the line it continues already holds lineSoFar characters.
QString forDisplay(const QString &text, int lineSoFar);
// Inserts a received text at the log's cursor, then moves the cursor to the end.
void append(QTextEdit *log, const QString &text);
// A warning that wraps over more lines than the view shows is kept in view from its first words.
void appendKeepingStart(QTextEdit *log, const QString &text);
} // namespace LogView
