#pragma once

#include "protocol/UnitSession.h"

#include <QObject>
#include <QString>
#include <QStringList>

class IFunction;
class QTimer;
class QWidget;
struct PageLayout;

// The device page's connection: the port box refresh, open and close, and what the unit session
// (the state query, whether the unit has answered) shows on the page. Texts it sends go out
// through sendText.
class ConnectionController : public QObject
{
    Q_OBJECT

public:
    ConnectionController(QWidget *page, PageLayout &ui);

    void setService(IFunction *f) { usart = f; }
    IFunction *service() const { return usart; }

    // The open/close button: opens the port the box names, or closes the open one.
    void toggle();
    // Picks the listed port with this system location and opens it; false when it is not listed.
    bool connectTo(const QString &systemLocation);
    void showRememberedPort();
    UnitSession &session() { return Session; }
    // Back to not connected: ports refreshed, box free, no command possible.
    void linkLost();
    // The link carries data: the unit's state is asked for from now on.
    void linkReady();
    // The link was never made: said as a failed open is, then back to not connected.
    void linkFailed(const QString &reason);
    // Shown in the log and, while connected, in the state label's tooltip.
    void linkWarning(const QString &text);
    // The port open now, as it was opened, and the version the unit last reported on it.
    QString openPort() const { return Open_Port; }
    // A unit found on the network: the name it announced; empty for others.
    QString openUnitName() const { return Open_Unit_Name; }
    QString unitVersion() const { return Session.version().trimmed(); }

signals:
    void portsDue();
    void sendText(const QString &text);

private:
    void showOnline(const QString &version);
    void showSilent();
    void showConnectFailure(const QString &detail);
    void forgetWarnings();
    void showStateTip();

    QWidget *Page;
    PageLayout &Ui;
    IFunction *usart = nullptr;
    QTimer *COM_Update_Timer = nullptr;
    UnitSession Session;
    QString Open_Port;
    QString Open_Unit_Name;
    QStringList Link_Warnings;
    QString Unit_Place; // the state label's tooltip while connected: where the unit is
};
