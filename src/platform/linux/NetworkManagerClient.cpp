#include "platform/NetworkManagerClient.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDeadlineTimer>

namespace Dunmorra::Platform {

namespace {

const QString kService = QStringLiteral("org.freedesktop.NetworkManager");

std::optional<QVariant> call(const QDBusConnection& bus, QDBusMessage message, const QDeadlineTimer& deadline)
{
    const qint64 remaining = deadline.remainingTime();
    if (remaining <= 0)
        return std::nullopt;
    const QDBusMessage reply = bus.call(message, QDBus::Block, static_cast<int>(remaining));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    return reply.arguments().constFirst();
}

std::optional<QVariant> property(const QDBusConnection& bus, const QString& path, const QString& interface,
                                 const QString& name, const QDeadlineTimer& deadline)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kService, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                          QStringLiteral("Get"));
    message << interface << name;
    const auto value = call(bus, message, deadline);
    if (!value)
        return std::nullopt;
    return value->value<QDBusVariant>().variant();
}

} // namespace

NetworkManagerClient::NetworkManagerClient(Bus bus, std::chrono::milliseconds deadline)
    : m_bus(bus)
    , m_deadline(deadline)
{
}

std::optional<QString> NetworkManagerClient::activeSsid(const QString& interfaceName) const
{
    const QDeadlineTimer deadline(m_deadline);
    const QDBusConnection bus = m_bus == Bus::System ? QDBusConnection::systemBus() : QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return std::nullopt;

    QDBusMessage byIface = QDBusMessage::createMethodCall(kService, QStringLiteral("/org/freedesktop/NetworkManager"),
                                                          kService, QStringLiteral("GetDeviceByIpIface"));
    byIface << interfaceName;
    const auto device = call(bus, byIface, deadline);
    if (!device)
        return std::nullopt;
    const QString devicePath = device->value<QDBusObjectPath>().path();
    if (devicePath.isEmpty() || devicePath == QLatin1String("/"))
        return std::nullopt;

    const auto ap = property(bus, devicePath, QStringLiteral("org.freedesktop.NetworkManager.Device.Wireless"),
                             QStringLiteral("ActiveAccessPoint"), deadline);
    if (!ap)
        return std::nullopt;
    const QString apPath = ap->value<QDBusObjectPath>().path();
    if (apPath.isEmpty() || apPath == QLatin1String("/"))
        return std::nullopt;

    const auto ssid = property(bus, apPath, QStringLiteral("org.freedesktop.NetworkManager.AccessPoint"),
                               QStringLiteral("Ssid"), deadline);
    if (!ssid)
        return std::nullopt;
    const QByteArray bytes = ssid->toByteArray();
    if (bytes.isEmpty())
        return std::nullopt;
    return QString::fromUtf8(bytes);
}

} // namespace Dunmorra::Platform
