#include "platform/DesktopNotifications.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QVariantMap>

namespace Dunmorra::Platform {

namespace {

const QString kServiceName = QString::fromLatin1(DesktopNotifications::kService);
const QString kObjectPath = QString::fromLatin1(DesktopNotifications::kPath);

QString notConnectedMessage(const QDBusConnection& bus)
{
    const QString message = bus.lastError().message();
    return message.isEmpty() ? QStringLiteral("not connected to the session bus") : message;
}

} // namespace

DesktopNotifications::DesktopNotifications(QDBusConnection bus, NotificationIdentity identity,
                                           std::chrono::milliseconds deadline, QObject* parent)
    : NotificationService(parent)
    , m_bus(std::move(bus))
    , m_identity(std::move(identity))
    , m_deadlineMs(static_cast<int>(deadline.count()))
{
    if (!m_bus.isConnected())
        return;
    m_watcher = new QDBusServiceWatcher(kServiceName, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &DesktopNotifications::onOwnerChanged);
}

DesktopNotifications::~DesktopNotifications() = default;

void DesktopNotifications::notify(const QString& identifier, const QString& title, const QString& body)
{
    const auto queue = m_inFlight.find(identifier);
    if (queue != m_inFlight.end()) {
        queue->push_back(Request{title, body});
        return;
    }
    m_inFlight.insert(identifier, {});
    send(identifier, Request{title, body});
}

void DesktopNotifications::send(const QString& identifier, const Request& request)
{
    if (!m_bus.isConnected()) {
        failLater(identifier, notConnectedMessage(m_bus));
        return;
    }
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(1)); // normal
    hints.insert(QStringLiteral("desktop-entry"), m_identity.desktopEntry);
    if (hasCapability("sound"))
        hints.insert(QStringLiteral("sound-name"), QStringLiteral("message-new-instant"));
    // Servers that render markup would swallow "<" and "&" of a plain text.
    const QString body =
        hasCapability("body-markup") ? request.body.toHtmlEscaped() : request.body;

    QDBusMessage call = QDBusMessage::createMethodCall(kServiceName, kObjectPath, kServiceName,
                                                       QStringLiteral("Notify"));
    call << m_identity.applicationName << replacementId(identifier) << m_identity.iconName << request.title
         << body << QStringList() << hints << static_cast<qint32>(-1);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, m_deadlineMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, identifier] {
        watcher->deleteLater();
        const QDBusPendingReply<quint32> reply = *watcher;
        if (reply.isError()) {
            Q_EMIT deliveryFailed(identifier, reply.error().message());
            if (reply.error().type() == QDBusError::ServiceUnknown)
                Q_EMIT serverChanged();
        } else {
            const QString server = reply.reply().service();
            // An id handed out by a server that has since gone means nothing to its successor.
            if (isCurrent(server))
                m_lastIds.insert(identifier, Issued{server, reply.value()});
        }
        sent(identifier);
    });
}

void DesktopNotifications::sent(const QString& identifier)
{
    const auto queue = m_inFlight.find(identifier);
    if (queue == m_inFlight.end())
        return;
    if (queue->empty()) {
        m_inFlight.erase(queue);
        return;
    }
    const Request next = queue->front();
    queue->pop_front();
    send(identifier, next);
}

bool DesktopNotifications::isCurrent(const QString& server)
{
    if (!m_owner)
        m_owner = server; // the first answer names the owner
    return *m_owner == server;
}

quint32 DesktopNotifications::replacementId(const QString& identifier) const
{
    const auto it = m_lastIds.constFind(identifier);
    if (it == m_lastIds.cend() || !m_owner || it->server != *m_owner)
        return 0;
    return it->id;
}

bool DesktopNotifications::hasCapability(const char* name) const
{
    return m_owner && m_capabilitiesServer == *m_owner && m_capabilities.contains(QLatin1String(name));
}

void DesktopNotifications::failLater(const QString& identifier, const QString& message)
{
    // Reported after notify() returns, as a server's answer would be.
    QTimer::singleShot(0, this, [this, identifier, message] {
        Q_EMIT deliveryFailed(identifier, message);
        sent(identifier);
    });
}

void DesktopNotifications::checkAvailability(std::function<void(bool available)> done)
{
    if (!m_bus.isConnected()) {
        QTimer::singleShot(0, this, [done = std::move(done)] {
            if (done)
                done(false);
        });
        return;
    }
    const QDBusMessage call = QDBusMessage::createMethodCall(kServiceName, kObjectPath, kServiceName,
                                                             QStringLiteral("GetCapabilities"));
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, m_deadlineMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, done = std::move(done)] {
                watcher->deleteLater();
                const QDBusPendingReply<QStringList> reply = *watcher;
                const bool available = !reply.isError();
                const QString server = reply.reply().service();
                if (available && isCurrent(server)) {
                    m_capabilities = reply.value();
                    m_capabilitiesServer = server;
                }
                if (done)
                    done(available);
            });
}

void DesktopNotifications::onOwnerChanged(const QString& service, const QString& oldOwner, const QString& newOwner)
{
    Q_UNUSED(service)
    Q_UNUSED(oldOwner)
    m_owner = newOwner; // empty while no server runs
    for (auto it = m_lastIds.begin(); it != m_lastIds.end();) {
        if (it->server != newOwner)
            it = m_lastIds.erase(it);
        else
            ++it;
    }
    Q_EMIT serverChanged();
}

void DesktopNotifications::openSettings()
{
    const auto command = settingsCommand(qEnvironmentVariable("XDG_CURRENT_DESKTOP"), [](const QString& program) {
        return !QStandardPaths::findExecutable(program).isEmpty();
    });
    if (command)
        QProcess::startDetached(command->first, command->second);
}

std::optional<std::pair<QString, QStringList>>
DesktopNotifications::settingsCommand(const QString& currentDesktop,
                                      const std::function<bool(const QString&)>& isInstalled)
{
    struct Tool {
        const char* desktop;
        const char* program;
        const char* argument;
    };
    static const Tool tools[] = {
        {"GNOME", "gnome-control-center", "notifications"},
        {"Unity", "gnome-control-center", "notifications"},
        {"Budgie", "gnome-control-center", "notifications"},
        {"KDE", "systemsettings", "kcm_notifications"},
        {"KDE", "kcmshell5", "kcm_notifications"},
        {"XFCE", "xfce4-notifyd-config", nullptr},
        {"X-Cinnamon", "cinnamon-settings", "notifications"},
        {"MATE", "mate-notification-properties", nullptr},
    };
    for (const QString& desktop : currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        for (const Tool& tool : tools) {
            if (desktop.compare(QLatin1String(tool.desktop), Qt::CaseInsensitive) != 0)
                continue;
            const QString program = QString::fromLatin1(tool.program);
            if (!isInstalled(program))
                continue;
            QStringList arguments;
            if (tool.argument)
                arguments << QString::fromLatin1(tool.argument);
            return std::make_pair(program, arguments);
        }
    }
    return std::nullopt;
}

} // namespace Dunmorra::Platform
