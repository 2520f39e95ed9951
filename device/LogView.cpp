#include "LogView.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

void LogView::appendKeepingStart(QTextEdit *log, const QString &text)
{
    log->moveCursor(QTextCursor::End);
    const int start = log->textCursor().position();
    log->insertPlainText(text);
    log->moveCursor(QTextCursor::End); // later text still goes to the end
    const QTextBlock block = log->document()->findBlock(start);
    const qreal blockTop = log->document()->documentLayout()->blockBoundingRect(block).top();
    const QTextLine line = block.layout()->lineForTextPosition(start - block.position());
    log->verticalScrollBar()->setValue(int(blockTop + (line.isValid() ? line.y() : 0)));
}
