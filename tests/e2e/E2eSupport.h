#pragma once

// Shared steps of the end-to-end tests: a main window wired to a simulator's port.
#include "app/Language.h"
#include "app/MainWindow.h"
#include "device/Function_One.h"
#include "testsupport/TestSupport.h"

#include <QLabel>
#include <QtTest>

namespace E2e {

// Process-wide values every test starts from.
inline void resetProcessState()
{
    Set_Language_Code(Language_Chinese);
    Function_One::COM_Count = 0;
}

inline StartOptions withPort(const QString &port)
{
    StartOptions o;
    o.connectPort = port;
    return o;
}

// Connects the window to the port and waits for the unit's state reply; false if it never comes.
inline bool goOnline(MainWindow &w, const QString &port)
{
    const QString online = QStringLiteral("连接状态:在线");
    if (!w.connectTo(port))
        return false;
    QElapsedTimer clock;
    clock.start();
    while (w.Ticket_Page->State_Label->text() != online && clock.elapsed() < 5000)
        QTest::qWait(20);
    return w.Ticket_Page->State_Label->text() == online;
}

// A simulator, and the main window connected to it and online.
struct Connected {
    explicit Connected(const QStringList &simOptions = {})
        : sim(simOptions)
        , window(nullptr, withPort(sim.port()))
        , online(sim.started() && goOnline(window, sim.port()))
    {
    }
    SimUnderTest sim;
    MainWindow window;
    const bool online;
};

} // namespace E2e
