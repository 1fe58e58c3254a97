#pragma once

#include "platform/NotificationService.h"

#include <QDBusConnection>
#include <QHash>
#include <QStringList>

#include <chrono>
#include <deque>
#include <optional>
#include <utility>

class QDBusServiceWatcher;

namespace Dunmorra::Platform {

// How the notifications name their sender.
struct NotificationIdentity {
    QString applicationName = QStringLiteral("Halvorin");
    QString iconName = QStringLiteral("halvorin");
    QString desktopEntry = QStringLiteral("halvorin"); // the installed .desktop file id
};

// Notifications through the desktop's org.freedesktop.Notifications server
// on the session bus. Every call is asynchronous with a deadline; replies
// come back on the GUI thread. Each identifier remembers the id its last
// notification got and passes it as replaces_id, so the server shows one
// entry per identifier. An id stays good after the server closed its
// notification (expired, dismissed): dropping it then would make every
// later alert a new entry in the server's history. The ids belong to one
// server instance and are dropped only when the name's owner changes.
class DesktopNotifications final : public NotificationService {
    Q_OBJECT
public:
    static constexpr char kService[] = "org.freedesktop.Notifications";
    static constexpr char kPath[] = "/org/freedesktop/Notifications";

    explicit DesktopNotifications(QDBusConnection bus = QDBusConnection::sessionBus(), NotificationIdentity identity = {},
                                  std::chrono::milliseconds deadline = std::chrono::seconds(3),
                                  QObject* parent = nullptr);
    ~DesktopNotifications() override;

    void notify(const QString& identifier, const QString& title, const QString& body) override;
    void checkAvailability(std::function<void(bool available)> done) override;
    void openSettings() override;

    // The replaces_id the identifier's next notification carries (0: none).
    quint32 replacementId(const QString& identifier) const;

    // The program and arguments that open the notification settings of the
    // desktops named in XDG_CURRENT_DESKTOP (colon-separated), the first of
    // them that `isInstalled` accepts; none for other desktops.
    static std::optional<std::pair<QString, QStringList>>
    settingsCommand(const QString& currentDesktop, const std::function<bool(const QString&)>& isInstalled);

private:
    struct Request {
        QString title;
        QString body;
    };

    void send(const QString& identifier, const Request& request);
    void sent(const QString& identifier);
    bool isCurrent(const QString& server);
    bool hasCapability(const char* name) const;
    void onOwnerChanged(const QString& service, const QString& oldOwner, const QString& newOwner);
    void failLater(const QString& identifier, const QString& message);

    QDBusConnection m_bus;
    NotificationIdentity m_identity;
    int m_deadlineMs;
    QDBusServiceWatcher* m_watcher = nullptr;
    struct Issued {
        QString server; // unique bus name of the server that handed out the id
        quint32 id = 0;
    };
    QHash<QString, Issued> m_lastIds;
    // Identifiers whose Notify is on its way, with what waits behind it: a
    // second notification sent before the first's id is known would appear
    // beside it instead of replacing it.
    QHash<QString, std::deque<Request>> m_inFlight;
    QStringList m_capabilities;
    // The unique name that owns the service; none until the first owner
    // change or answer tells. Replies and owner changes may be handled in
    // either order, so ids and capabilities are kept with the server that
    // gave them and count only while it is the owner.
    std::optional<QString> m_owner;
    QString m_capabilitiesServer;
};

} // namespace Dunmorra::Platform
