#pragma once

class QWidget;

// The About box: version, rights and where to send feedback, in Polish or else in English.
namespace AboutBox {
void exec(QWidget *parent);
}
