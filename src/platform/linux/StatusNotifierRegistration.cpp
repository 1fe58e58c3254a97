#include "platform/StatusNotifierRegistration.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QVariantMap>

#include <algorithm>
#include <iterator>

namespace Dunmorra::Platform {

namespace {

const QString kWatcher = QString::fromLatin1(StatusNotifierRegistration::kWatcherService);
const QString kWatcherObject = QString::fromLatin1(StatusNotifierRegistration::kWatcherPath);
const QString kWatcherInterface = QString::fromLatin1(StatusNotifierRegistration::kWatcherInterface);
constexpr int kDeadlineMs = 3000;
// Long enough for a watcher to have read the item and changed its mind.
constexpr int kRecheckMs = 2000;

struct WatcherSignal {
    const char* name;
    const char* slot;
};
const WatcherSignal kSignals[] = {
    {"StatusNotifierHostRegistered", SLOT(onHostRegistered())},
    {"StatusNotifierHostUnregistered", SLOT(onHostUnregistered())},
    {"StatusNotifierItemUnregistered", SLOT(onItemUnregistered(QString))},
};

} // namespace

StatusNotifierRegistration::StatusNotifierRegistration(QDBusConnection bus, QString service, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_service(std::move(service))
{
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, [this] {
        if (m_watcherPresent && !m_registered)
            registerNow();
    });
    m_recheck.setSingleShot(true);
    m_recheck.setInterval(kRecheckMs);
    connect(&m_recheck, &QTimer::timeout, this, &StatusNotifierRegistration::readWatcher);
}

StatusNotifierRegistration::~StatusNotifierRegistration()
{
    if (!m_started)
        return;
    for (const WatcherSignal& s : kSignals)
        m_bus.disconnect(kWatcher, kWatcherObject, kWatcherInterface, QString::fromLatin1(s.name), this, s.slot);
}

int StatusNotifierRegistration::retryDelayMs(int failures)
{
    // Quick at first (a watcher a moment from answering), then every 10 s.
    static constexpr int kFirst[] = {500, 1000, 2000, 4000};
    if (failures >= 1 && failures <= static_cast<int>(std::size(kFirst)))
        return kFirst[failures - 1];
    return 10000;
}

void StatusNotifierRegistration::start()
{
    if (m_started)
        return;
    m_started = true;
    m_nameWatch = new QDBusServiceWatcher(kWatcher, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_nameWatch, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                // A new owner is a new watcher: it knows nothing of us yet.
                if (newOwner.isEmpty())
                    watcherGone();
                else
                    watcherAppeared(newOwner);
            });
    for (const WatcherSignal& s : kSignals)
        m_bus.connect(kWatcher, kWatcherObject, kWatcherInterface, QString::fromLatin1(s.name), this, s.slot);
    // Only the bus daemon answers this one, so asking it at once is safe.
    const QDBusReply<QString> owner = m_bus.interface()->serviceOwner(kWatcher);
    if (owner.isValid() && !owner.value().isEmpty())
        watcherAppeared(owner.value());
}

void StatusNotifierRegistration::watcherAppeared(const QString& owner)
{
    ++m_generation;
    m_failedRegistrations = 0;
    m_drops = 0;
    m_registering = false;
    m_retry.stop();
    m_recheck.stop();
    m_watcherOwner = owner;
    update(true, false, false);
    registerNow();
}

void StatusNotifierRegistration::watcherGone()
{
    ++m_generation;
    m_failedRegistrations = 0;
    m_drops = 0;
    m_registering = false;
    m_retry.stop();
    m_recheck.stop();
    m_watcherOwner.clear();
    update(false, false, false);
}

void StatusNotifierRegistration::retryLater(int failures)
{
    m_retry.start(retryDelayMs(failures));
}

void StatusNotifierRegistration::registerNow()
{
    if (m_registering)
        return;
    m_registering = true;
    QDBusMessage call = QDBusMessage::createMethodCall(kWatcher, kWatcherObject, kWatcherInterface,
                                                       QStringLiteral("RegisterStatusNotifierItem"));
    call << m_service;
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call, kDeadlineMs), this);
    const int generation = m_generation;
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, pending, generation] {
        pending->deleteLater();
        if (generation != m_generation || !m_watcherPresent)
            return;
        m_registering = false;
        const QDBusPendingReply<> reply = *pending;
        if (reply.isError()) {
            retryLater(++m_failedRegistrations);
            return;
        }
        ++m_generation; // what was read of the watcher before this is stale
        m_failedRegistrations = 0;
        update(true, m_hostRegistered, true);
        readWatcher();
        m_recheck.start();
    });
}

void StatusNotifierRegistration::readWatcher()
{
    if (!m_watcherPresent)
        return;
    QDBusMessage get = QDBusMessage::createMethodCall(kWatcher, kWatcherObject,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("GetAll"));
    get << kWatcherInterface;
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(get, kDeadlineMs), this);
    const int generation = m_generation;
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, pending, generation] {
        pending->deleteLater();
        if (generation != m_generation || !m_watcherPresent)
            return;
        const QDBusPendingReply<QVariantMap> reply = *pending;
        // A watcher without the properties still shows what registers with it.
        const QVariantMap properties = reply.isError() ? QVariantMap() : reply.value();
        const bool host = properties.value(QStringLiteral("IsStatusNotifierHostRegistered"), true).toBool();
        const auto items = properties.find(QStringLiteral("RegisteredStatusNotifierItems"));
        bool listed = true;
        if (items != properties.end()) {
            const QStringList entries = items->toStringList();
            listed = std::any_of(entries.begin(), entries.end(), [this](const QString& e) { return isThisItem(e); });
        }
        update(true, host, m_registered);
        // Without a host a watcher may keep no list at all.
        if (m_registered && host && !listed)
            dropped();
    });
}

bool StatusNotifierRegistration::isThisItem(const QString& entry) const
{
    // Watchers list "name/path", a bare name, or a bare path (the sender's
    // name left out, which cannot be told from another item's).
    if (entry.startsWith(QLatin1Char('/')))
        return true;
    const QString name = entry.section(QLatin1Char('/'), 0, 0);
    return name == m_service || name == m_bus.baseService();
}

void StatusNotifierRegistration::dropped()
{
    if (!m_registered)
        return;
    ++m_generation;
    m_recheck.stop();
    update(true, m_hostRegistered, false);
    retryLater(++m_drops);
}

void StatusNotifierRegistration::onHostRegistered()
{
    if (!m_watcherPresent)
        return;
    update(true, true, m_registered);
    if (m_registered)
        readWatcher();
}

void StatusNotifierRegistration::onHostUnregistered()
{
    // Another host may remain; the watcher's property says.
    readWatcher();
}

void StatusNotifierRegistration::onItemUnregistered(const QString& item)
{
    if (m_watcherPresent && m_registered && isThisItem(item) && !item.startsWith(QLatin1Char('/')))
        dropped();
}

void StatusNotifierRegistration::update(bool watcher, bool host, bool registered)
{
    if (watcher == m_watcherPresent && host == m_hostRegistered && registered == m_registered)
        return;
    m_watcherPresent = watcher;
    m_hostRegistered = host;
    m_registered = registered;
    Q_EMIT stateChanged();
}

} // namespace Dunmorra::Platform
