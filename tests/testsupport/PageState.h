#pragma once

// The device page's controls by object name, and its connection controls in one line, so a test
// compares them whole.
#include "device/Function_One.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace TestSupport {

// A child of the page by object name, as scripts find it; a missing one stops the test.
template <class T>
T *part(const QObject *page, const QString &name)
{
    T *found = page->findChild<T *>(name);
    if (!found)
        qFatal("no %s on the page", qPrintable(name));
    return found;
}

inline QLineEdit *typeName(const QObject *page, int i)
{
    return part<QLineEdit>(page, QStringLiteral("QL_Type_Name_%1").arg(i + 1));
}

// The six command buttons, switched together.
inline QList<QPushButton *> commandButtons(const QObject *page)
{
    QList<QPushButton *> buttons;
    for (const char *name : {"TYPE_PB_SET", "PB_ID_sned", "Print_Write_Push", "PB_Rec_sned", "PB_Time_syn_sned", "Pair_Set_Push"})
        buttons << part<QPushButton>(page, QLatin1String(name));
    return buttons;
}

inline QString connectionState(const Function_One *page)
{
    const QList<QPushButton *> buttons = commandButtons(page);
    const auto enabled = std::count_if(buttons.cbegin(), buttons.cend(), [](QPushButton *b) { return b->isEnabled(); });
    const QTimer *refresh = part<QTimer>(page, QStringLiteral("COM_Update_Timer"));
    return QStringLiteral("%1 | %2 | %3 | %4 | %5 | %6 buttons")
        .arg(part<QPushButton>(page, "QB_OPEN_USART")->text(), part<QLabel>(page, "State_Label")->text(),
             part<QLabel>(page, "Version_Label")->text(),
             refresh->isActive() ? QStringLiteral("refresh %1 ms").arg(refresh->interval()) : QStringLiteral("no refresh"),
             part<QComboBox>(page, "QC_COM_Choose")->isEnabled() ? QStringLiteral("port box") : QStringLiteral("port box locked"))
        .arg(enabled);
}

// Not connected: ports refreshed every 2 s, the port box free, no command possible.
const QString Disconnected = QStringLiteral("连接设备 | 连接状态:--- | 固件版本号:--- | refresh 2000 ms | port box | 0 buttons");

} // namespace TestSupport
