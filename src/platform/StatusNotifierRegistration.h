#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QTimer>

class QDBusServiceWatcher;

namespace Dunmorra::Platform {

// Keeps one StatusNotifierItem registered with the org.kde.StatusNotifierWatcher
// for as long as the process runs. A watcher that starts later, or restarts,
// gets the item at once; a registration the watcher refuses or does not
// answer is tried again after a back-off; and an item the watcher drops
// again after taking it (it says StatusNotifierItemUnregistered for it, or
// its list no longer holds it while a host is there) registers again with
// the same back-off, so that a watcher's own race cannot leave the item
// off every panel for good.
class StatusNotifierRegistration : public QObject {
    Q_OBJECT
public:
    static constexpr char kWatcherService[] = "org.kde.StatusNotifierWatcher";
    static constexpr char kWatcherPath[] = "/StatusNotifierWatcher";
    static constexpr char kWatcherInterface[] = "org.kde.StatusNotifierWatcher";

    // service: the item's own name on the bus.
    StatusNotifierRegistration(QDBusConnection bus, QString service, QObject* parent = nullptr);
    ~StatusNotifierRegistration() override;

    // Registers now if a watcher runs, and whenever one appears.
    void start();

    bool watcherPresent() const { return m_watcherPresent; }
    bool hostRegistered() const { return m_hostRegistered; }
    // The watcher took the item and has not dropped it since.
    bool registered() const { return m_registered; }
    // How many registrations in a row the watcher refused or did not answer.
    int failedRegistrations() const { return m_failedRegistrations; }
    // How many times this watcher dropped the item after taking it.
    int drops() const { return m_drops; }
    // The wait before the next try after this many failures in a row.
    static int retryDelayMs(int failures);
    // The unique name of the process that owns the watcher's name, empty
    // while none does.
    const QString& watcherOwner() const { return m_watcherOwner; }

Q_SIGNALS:
    // Any of the readings above changed.
    void stateChanged();

private Q_SLOTS:
    void onHostRegistered();
    void onHostUnregistered();
    void onItemUnregistered(const QString& item);

private:
    void watcherAppeared(const QString& owner);
    void watcherGone();
    void registerNow();
    void retryLater(int failures);
    void readWatcher();
    void dropped();
    bool isThisItem(const QString& entry) const;
    void update(bool watcher, bool host, bool registered);

    QDBusConnection m_bus;
    QString m_service;
    QDBusServiceWatcher* m_nameWatch = nullptr;
    bool m_started = false;
    bool m_watcherPresent = false;
    bool m_hostRegistered = false;
    bool m_registered = false;
    bool m_registering = false;
    int m_failedRegistrations = 0;
    int m_drops = 0;
    QString m_watcherOwner;
    // Each answer belongs to one watcher and one registration: a late one
    // from a watcher that has gone, or from before a drop, is dropped.
    int m_generation = 0;
    QTimer m_retry;
    // A watcher may drop the item a moment after taking it without saying
    // so: its list is read again once things have settled.
    QTimer m_recheck;
};

} // namespace Dunmorra::Platform
