#include "Function_USART.h"

#include "serial/IUsart_dis.h"
#include "serial/PortEntry.h"
#include "serial/PortAddress.h"
#include "serial/PortList.h"
#include "ticket/RememberedPort.h"
#include "ticket/Language.h"
#include "device/PictureBox.h"
#include "ticket/LogCategories.h"

#include <QLoggingCategory>

Function_USART::Function_USART(QWidget *parent)
    : QWidget(parent)
{
    move(0, 20);
    // It shows nothing, so it takes no clicks either: it lies over the first tab's top edge.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(&Link, &SerialLink::received, this, [this](const QString &text) {
        if (Receiver)
            Receiver->Receive_Data(text);
    });
    connect(&Link, &SerialLink::lost, this, &Function_USART::USART_Error);
    connect(&Link, &SerialLink::ready, this, [this] {
        if (Receiver)
            Receiver->Link_Ready();
    });
    connect(&Link, &SerialLink::connectFailed, this, [this](const QString &reason) {
        qCDebug(lcLink) << "connection failed:" << reason;
        if (Receiver)
            Receiver->Link_Failed(reason);
    });
    connect(&Link, &SerialLink::warning, this, [this](const QString &text) {
        if (Receiver)
            Receiver->Link_Warning(text);
    });
    // The server the operator last typed is listed from the start.
    const QString remembered = RememberedPort::load();
    if (PortAddress::looksRemote(remembered))
        Add_Extra_Port(remembered);
}

QStringList Function_USART::USART_COM_List()
{
    Port_List.clear();
    Entry_Location.clear();
    Entry_Details.clear();
    Entry_Unit_Name.clear();
    auto add = [this](const QString &entry, const QString &location) {
        Port_List.append(entry);
        Entry_Location.insert(entry, location);
    };
    for (const auto &extra : qAsConst(Extra_Ports)) {
        // A server as scheme://host:port, so shops sharing one key file still look different; the
        // whole address (its files) is the entry's location and tooltip. Two alike keep their all.
        const QString shown = portEntry(extra.second, PortAddress::parse(extra.first).shown());
        add(Entry_Location.contains(shown) ? portEntry(extra.second, extra.first) : shown, extra.first);
    }
    for (const PortList::Port &port : PortList::available())
        add(port.entry, port.location);
    const auto units = Discovery.units();
    if (units.isEmpty())
        return Port_List;
    const QString ca = RememberedPort::loadTlsCa();
    for (const DiscoveredUnit &unit : units) {
        if (Entry_Location.contains(unit.label()))
            continue; // a name like a port's: the port keeps its entry
        add(unit.label(), unit.address(ca));
        Entry_Details.insert(unit.label(), discoveredDetails(unit, ca));
        Entry_Unit_Name.insert(unit.label(), unit.name);
    }
    return Port_List;
}

QString Function_USART::discoveredDetails(const DiscoveredUnit &unit, const QString &ca)
{
    QStringList lines{unit.address(ca), QObject::tr("%1: 在网络上发现, 主机 %2").arg(unit.label(), DiscoveredUnit::visible(unit.hostName))};
    // The CA is not announced; the operator should see whose it is.
    if (unit.tls)
        lines << (ca.isEmpty() ? QObject::tr("证书按系统的证书库验证 (还没有输入过带 ca= 的 TLS 地址)")
                               : QObject::tr("证书须由最后输入的 TLS 地址的 ca= 签发: %1").arg(ca));
    return lines.join(QLatin1Char('\n'));
}

QString Function_USART::USART_COM_Location(const QString &entry) const
{
    return Entry_Location.value(entry);
}

void Function_USART::Add_Extra_Port(const QString &systemLocation, const QString &manufacturer)
{
    for (const auto &extra : qAsConst(Extra_Ports))
        if (extra.first == systemLocation)
            return;
    Extra_Ports.append({systemLocation, manufacturer});
}

void Function_USART::Set_Receiver(IUsart_dis *r)
{
    Receiver = r;
}

bool Function_USART::USART_Open(const QString &COM)
{
    const bool opened = Link.open(COM);
    // A typed server address joins the list, as a plugged-in adapter would; a found unit is listed.
    if (opened && Link.isNetwork() && !Entry_Location.values().contains(COM))
        Add_Extra_Port(COM);
    return opened;
}

void Function_USART::USART_Close()
{
    Link.close();
}

void Function_USART::USART_Send(const QString &str)
{
    Link.sendText(str);
}

void Function_USART::Send_USART_QByteArray(uint8_t *buff, uint32_t len)
{
    Link.sendBytes(QByteArray(reinterpret_cast<const char *>(buff), int(len)));
}

void Function_USART::USART_Error(const QString &reason)
{
    qCDebug(lcLink) << "link lost:" << reason;
    PictureBox::warn(this, PictureBox::WarningTitle::Link,
                     QObject::tr("设备连接发生异常请关闭所有操作并保持电脑和设备的可靠连接！")
                         + (reason.isEmpty() ? QString() : QStringLiteral("\r\n") + reason),
                     QStringLiteral(":/Res/Pic/Disconnect.png"));
    if (Receiver)
        Receiver->Link_Lost();
}
