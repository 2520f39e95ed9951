#include "LogView.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

#include <memory>

namespace {
bool isLineBreak(QChar c)
{
    // What QTextCursor::insertText turns into a new paragraph.
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator;
}

// Returns the characters dropped.
int trim(QTextEdit *log)
{
    QTextDocument *document = log->document();
    if (document->blockCount() <= LogView::MaxBlocks - LogView::TrimBlocks)
        return 0;
    QTextCursor oldest(document);
    oldest.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, LogView::TrimBlocks);
    const int dropped = oldest.selectionEnd();
    oldest.removeSelectedText();
    return dropped;
}
} // namespace

void LogView::setUp(QTextEdit *log)
{
    log->document()->setMaximumBlockCount(MaxBlocks); // no undo history either
    // Glyphs on whole pixels: placed between them, each glyph is cached once per position, and a
    // noisy line draws thousands of different ones, so the font caches would grow for many minutes.
    // Set with the first text, whoever writes it: the empty log draws no glyph, and a font of its own
    // is one more for Qt to match and load before the window's first frame.
    auto first = std::make_shared<QMetaObject::Connection>();
    *first = QObject::connect(log, &QTextEdit::textChanged, log, [log, first] {
        QObject::disconnect(*first);
        QFont font = log->font();
        font.setHintingPreference(QFont::PreferFullHinting);
        log->setFont(font);
    });
}

QString LogView::forDisplay(const QString &text, int lineSoFar)
{
    const auto breaks = [&text, lineSoFar](QString *shown) {
        int run = lineSoFar;
        for (const QChar c : text) {
            if (isLineBreak(c)) {
                run = 0;
            } else if (++run > MaxLineLength) {
                if (!shown)
                    return true;
                *shown += QLatin1Char('\n');
                run = 1;
            }
            if (shown)
                *shown += c;
        }
        return false;
    };
    if (!breaks(nullptr))
        return text; // the usual case: shown as it came
    QString shown;
    shown.reserve(text.size() + text.size() / MaxLineLength + 1);
    breaks(&shown);
    return shown;
}

void LogView::append(QTextEdit *log, const QString &text)
{
    QTextCursor cursor = log->textCursor();
    cursor.insertText(forDisplay(text, cursor.positionInBlock()));
    trim(log);
    log->moveCursor(QTextCursor::End);
}

void LogView::appendKeepingStart(QTextEdit *log, const QString &text)
{
    log->moveCursor(QTextCursor::End);
    int start = log->textCursor().position();
    log->insertPlainText(text);
    start -= trim(log);
    log->moveCursor(QTextCursor::End); // later text still goes to the end
    const QTextBlock block = log->document()->findBlock(start);
    const qreal blockTop = log->document()->documentLayout()->blockBoundingRect(block).top();
    const QTextLine line = block.layout()->lineForTextPosition(start - block.position());
    log->verticalScrollBar()->setValue(int(blockTop + (line.isValid() ? line.y() : 0)));
}
