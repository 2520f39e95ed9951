#pragma once

// Drives the command batch window a button opens, for widget and end-to-end tests.
#include "device/USART_Send_QDialog_Handle.h"
#include "testsupport/TestSupport.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>

namespace TestSupport {

// What the batch window showed when it was closed.
struct BatchSeen {
    QString title;
    QString log;
    int progress = -1;
    int sentCount = 0;
    QSize size;
    QString question; // the question asked before the batch (the factory reset's), answered Yes
};

// Presses the button and closes the batch window once its batch completes, or once waitMs have
// passed without completion (0: only on completion).
inline BatchSeen runBatch(QPushButton *button, int waitMs = 0)
{
    BatchSeen seen;
    QElapsedTimer opened;
    const ModalCatcher catcher([&seen, &opened, waitMs](QWidget *w) {
        if (auto *question = qobject_cast<QMessageBox *>(w)) {
            seen.question = question->text();
            question->button(QMessageBox::Yes)->click();
            return true;
        }
        if (!opened.isValid())
            opened.start();
        auto *d = qobject_cast<USART_Send_QDialog_Handle *>(w);
        seen = {d->windowTitle(), d->Send_Info.toPlainText(), d->Send_Progress.value(), d->batch().sentCount(), d->size(),
                seen.question};
        return d->batch().isComplete() || (waitMs > 0 && opened.elapsed() > waitMs);
    });
    button->click();
    return seen;
}

} // namespace TestSupport
