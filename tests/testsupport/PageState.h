#pragma once

// The device page's connection controls in one line, so a test compares them whole.
#include "device/Function_One.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace TestSupport {

inline QString connectionState(const Function_One *page)
{
    const QList<QPushButton *> buttons = page->commandButtons();
    const auto enabled = std::count_if(buttons.cbegin(), buttons.cend(), [](QPushButton *b) { return b->isEnabled(); });
    const QTimer *refresh = page->COM_Update_Timer;
    return QStringLiteral("%1 | %2 | %3 | %4 | %5 | %6 buttons")
        .arg(page->QB_OPEN_USART->text(), page->State_Label->text(), page->Version_Label->text(),
             refresh->isActive() ? QStringLiteral("refresh %1 ms").arg(refresh->interval()) : QStringLiteral("no refresh"),
             page->QC_COM_Choose->isEnabled() ? QStringLiteral("port box") : QStringLiteral("port box locked"))
        .arg(enabled);
}

// Not connected: ports refreshed every 2 s, the port box free, no command possible.
const QString Disconnected = QStringLiteral("连接设备 | 连接状态:--- | 固件版本号:--- | refresh 2000 ms | port box | 0 buttons");

} // namespace TestSupport
