#include "platform/FileManager.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>

namespace Dunmorra::Platform {

FileManager::FileManager(QDBusConnection bus, std::chrono::milliseconds deadline)
    : m_bus(std::move(bus))
    , m_deadlineMs(static_cast<int>(deadline.count()))
{
}

void FileManager::showItems(const QStringList& uris, const QString& startupId, QObject* context,
                            std::function<void(bool shown)> done) const
{
    if (!m_bus.isConnected()) {
        // Still later, as an answer from the bus would be.
        QMetaObject::invokeMethod(context, [done = std::move(done)] { done(false); }, Qt::QueuedConnection);
        return;
    }
    const QString service = QString::fromLatin1(kService);
    QDBusMessage call = QDBusMessage::createMethodCall(service, QString::fromLatin1(kPath), service,
                                                       QStringLiteral("ShowItems"));
    call << uris << startupId;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, m_deadlineMs), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [watcher, done = std::move(done)] {
                         watcher->deleteLater();
                         done(!watcher->isError());
                     });
}

} // namespace Dunmorra::Platform
