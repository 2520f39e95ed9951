#include "ConnectionController.h"

#include "LogView.h"
#include "PageLayout.h"
#include "device/PictureBox.h"
#include "protocol/Commands.h"
#include "protocol/StateReply.h"
#include "serial/IFunction.h"
#include "serial/PortAddress.h"
#include "serial/PortEntry.h"
#include "serial/SerialLink.h"
#include "ticket/RememberedPort.h"
#include "ticket/LogCategories.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

namespace {
constexpr int PortRefreshMs = 2000;
}

ConnectionController::ConnectionController(QWidget *page, PageLayout &ui)
    : QObject(page)
    , Page(page)
    , Ui(ui)
{
    COM_Update_Timer = new QTimer(this);
    COM_Update_Timer->setObjectName(QStringLiteral("COM_Update_Timer"));
    COM_Update_Timer->start(PortRefreshMs);
    connect(COM_Update_Timer, &QTimer::timeout, this, &ConnectionController::portsDue);
    connect(&Session, &UnitSession::sendText, this, &ConnectionController::sendText);
    connect(&Session, &UnitSession::online, this, &ConnectionController::showOnline);
    connect(&Session, &UnitSession::silent, this, &ConnectionController::showSilent);
}

void ConnectionController::toggle()
{
    if (!usart)
        return;
    if (Session.isOpen()) {
        usart->USART_Close();
        linkLost();
        return;
    }
    QComboBox *box = Ui.QC_COM_Choose;
    const QString entry = box->currentText().trimmed();
    const int listed = box->findText(entry);
    const QString portName = portNameFromEntry(entry, listed >= 0 ? box->itemData(listed).toString() : QString());
    qCDebug(lcDevice) << "opening" << entry << "as" << portName;
    if (listed < 0 && !entry.isEmpty()) { // before the open: a refused one is typed again after a fix
        RememberedPort::save(entry);
        // Units found on the network are checked against the CA the operator last gave for TLS.
        const PortAddress typed = PortAddress::parse(entry);
        if (typed.isValid() && typed.tls)
            RememberedPort::saveTlsCa(typed.caFile);
    }
    forgetWarnings();
    const QString details = listed >= 0 ? box->itemData(listed, Qt::ToolTipRole).toString() : QString();
    Unit_Place = QObject::tr("管理机位置: %1").arg(details.isEmpty() ? portName : details);
    if (!usart->USART_Open(portName)) {
        showConnectFailure(SerialLink::explain(portName, usart->USART_Open_Failure()));
        return;
    }
    Open_Port = portName;
    Open_Unit_Name = listed >= 0 ? usart->USART_COM_Unit_Name(entry) : QString();
    Ui.QB_OPEN_USART->setText(QObject::tr("断开设备"));
    showStateTip();
    COM_Update_Timer->stop();
    box->setEnabled(false);
    Session.opened();
    // A server is reached (and verified) in the background; the unit is asked once the link is ready.
    if (PortAddress::looksRemote(portName))
        Ui.State_Label->setText(QObject::tr("状态:连接中"));
}

void ConnectionController::showConnectFailure(const QString &detail)
{
    PictureBox::warn(Page, PictureBox::WarningTitle::Page, QObject::tr("连接错误请检查端口号是否正确....") + detail, QStringLiteral(":/Res/Pic/Warning.png"));
    forgetWarnings();
    Ui.showNotConnectedLabels();
    Ui.setCommandButtonsEnabled(false);
}

void ConnectionController::linkReady()
{
    if (!Session.isOpen())
        return;
    if (Ui.State_Label->text() == QObject::tr("状态:连接中"))
        Ui.State_Label->setText(QObject::tr("连接状态:---"));
    // The unit needs a moment after the port opens; the GUI stays responsive meanwhile.
    Session.linkReady();
}

void ConnectionController::linkFailed(const QString &reason)
{
    showConnectFailure(QStringLiteral("\r\n") + reason);
    linkLost();
}

void ConnectionController::linkWarning(const QString &text)
{
    Link_Warnings << text;
    showStateTip();
    LogView::appendKeepingStart(Ui.USART_Log, QObject::tr("注意: ") + text + QStringLiteral("\r\n"));
}

void ConnectionController::forgetWarnings()
{
    Link_Warnings.clear();
    Unit_Place.clear();
    Ui.State_Label->setToolTip(QString());
}

void ConnectionController::showStateTip()
{
    // Where the unit is, then what the link warned of (insecure, a group-readable key).
    QStringList lines = Link_Warnings;
    if (!Unit_Place.isEmpty())
        lines.prepend(Unit_Place);
    Ui.State_Label->setToolTip(lines.join(QLatin1Char('\n')));
}

bool ConnectionController::connectTo(const QString &systemLocation)
{
    const int index = Ui.QC_COM_Choose->findData(systemLocation);
    if (index < 0)
        return false;
    Ui.QC_COM_Choose->setCurrentIndex(index);
    Ui.QB_OPEN_USART->click();
    return true;
}

void ConnectionController::showRememberedPort()
{
    const QString typed = RememberedPort::load();
    const int listed = PortAddress::looksRemote(typed) ? Ui.QC_COM_Choose->findData(typed) : -1;
    if (listed >= 0) // a server is listed by its short name
        Ui.QC_COM_Choose->setCurrentIndex(listed);
    else if (!typed.isEmpty())
        Ui.QC_COM_Choose->setEditText(typed);
}

void ConnectionController::showSilent()
{
    Ui.State_Label->setText(QObject::tr("状态:无应答"));
    LogView::appendKeepingStart(Ui.USART_Log, QObject::tr("管理机没有应答,请检查电源和连接线.....") + QStringLiteral("\r\n"));
}

void ConnectionController::showOnline(const QString &version)
{
    Ui.State_Label->setText(QObject::tr("连接状态:在线"));
    // A version as long as a flood would run into the next control: the label holds a few
    // characters, the tooltip the rest.
    Ui.Version_Label->setText(QObject::tr("固件版本号:") + StateReply::elided(version, StateReply::VersionShownMax));
    Ui.Version_Label->setToolTip(version.size() > StateReply::VersionShownMax ? StateReply::elided(version, StateReply::VersionKeptMax)
                                                                              : QString());
    Ui.setCommandButtonsEnabled(true);
}

void ConnectionController::linkLost()
{
    Session.closed();
    Open_Port.clear();
    Open_Unit_Name.clear();
    COM_Update_Timer->start(PortRefreshMs);
    Ui.QB_OPEN_USART->setText(QObject::tr("连接设备"));
    Ui.QC_COM_Choose->setEnabled(true);
    Ui.showNotConnectedLabels();
    Ui.setCommandButtonsEnabled(false);
    forgetWarnings();
}
