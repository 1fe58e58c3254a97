#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace Dunmorra::Platform {

// What the alerts need of the desktop's notification service: show a
// notification that replaces the previous one of the same identifier, say
// whether a server answers, and open the desktop's notification settings.
// Nothing here blocks; answers come later on the object's thread.
class NotificationService : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Shows one notification with the default sound and normal urgency. A
    // failure is announced through deliveryFailed, never retried.
    virtual void notify(const QString& identifier, const QString& title, const QString& body) = 0;

    // Asks whether a notification server answers; `done` runs exactly once,
    // after this call has returned.
    virtual void checkAvailability(std::function<void(bool available)> done) = 0;

    // Opens the desktop's own notification settings where it has a tool for
    // them; otherwise does nothing. The outcome is not examined.
    virtual void openSettings() = 0;

Q_SIGNALS:
    void deliveryFailed(const QString& identifier, const QString& message);
    // A server appeared, went away or was replaced; availability may differ.
    void serverChanged();
};

} // namespace Dunmorra::Platform
