#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>

#include "platform/DBusMenu.h"

class QDBusServiceWatcher;

namespace Dunmorra::Platform {

// One picture of the item: width × height pixels, ARGB32 in network byte
// order, as the protocol carries it.
struct TrayPixmap {
    int width = 0;
    int height = 0;
    QByteArray argb;
};

// A tray item shown by a StatusNotifierItem host (the D-Bus tray of KDE,
// GNOME's indicator extension, most Wayland panels). It exports
// org.kde.StatusNotifierItem on the session bus and registers with the
// org.kde.StatusNotifierWatcher for as long as the process runs: a watcher
// that starts later, or restarts, gets the item again, and a registration
// that fails (a watcher that owns its name before its object answers) is
// tried again after a short wait. Clicks come back with the point the host
// gives, which is where the user clicked when it knows. Its menu is exported
// beside it as com.canonical.dbusmenu; ContextMenu still asks for a menu of
// our own for hosts that call it.
class StatusNotifierItem : public QObject {
    Q_OBJECT
public:
    static constexpr char kWatcherService[] = "org.kde.StatusNotifierWatcher";
    static constexpr char kWatcherPath[] = "/StatusNotifierWatcher";
    static constexpr char kItemPath[] = "/StatusNotifierItem";
    static constexpr char kItemInterface[] = "org.kde.StatusNotifierItem";

    explicit StatusNotifierItem(QString id, QDBusConnection bus = QDBusConnection::sessionBus(),
                                QObject* parent = nullptr);
    ~StatusNotifierItem() override;

    // Exports the item and registers it whenever a watcher is there. False
    // when there is no session bus.
    bool start();

    void setTitle(const QString& title);
    // The pictures, and a name the host may look up in iconThemePath first
    // (a symbolic name, which the host draws in the panel's own ink).
    void setIcon(QList<TrayPixmap> pixmaps, QString iconName = {});
    // A folder holding the named icons, given before start().
    void setIconThemePath(const QString& path) { m_iconThemePath = path; }
    // Text the host may show beside the icon, and the longest it will be,
    // so that the host keeps the width steady.
    void setLabel(const QString& label, const QString& guide);
    // Plain text: the title and the body of the host's tooltip.
    void setToolTip(const QString& title, const QString& text);

    // A watcher owns its name on the bus.
    bool watcherPresent() const { return m_watcherPresent; }
    // How many registrations the watcher refused or did not answer in a row.
    int failedRegistrations() const { return m_failedRegistrations; }
    // The wait before the next try after this many failures in a row.
    static int retryDelayMs(int failures);
    // A watcher reported a host (a panel that shows items), and it accepted
    // this item: the item is on screen.
    bool shown() const { return m_watcherPresent && m_hostRegistered && m_registered; }
    QString serviceName() const { return m_serviceName; }

    // What the host called, for the adaptor.
    void hostActivated(int x, int y);
    void hostSecondaryActivated(int x, int y);
    void hostContextMenu(int x, int y);

    const QString& title() const { return m_title; }
    const QString& id() const { return m_id; }
    const QList<TrayPixmap>& pixmaps() const { return m_pixmaps; }
    const QString& iconName() const { return m_iconName; }
    const QString& iconThemePath() const { return m_iconThemePath; }
    const QString& label() const { return m_label; }
    const QString& labelGuide() const { return m_labelGuide; }
    DBusMenu* menu() { return &m_menu; }
    const QString& toolTipTitle() const { return m_toolTipTitle; }
    const QString& toolTipText() const { return m_toolTipText; }

Q_SIGNALS:
    // A left click (Activate), a middle click (SecondaryActivate) or a
    // request for the menu, with the point the host gave: screen
    // coordinates of the click, or 0,0 from hosts that do not know it.
    void activated(QPoint point);
    void secondaryActivated(QPoint point);
    void contextMenuRequested(QPoint point);
    // shown() or watcherPresent() changed.
    void stateChanged();

    // For the adaptor: the properties changed.
    void newTitle();
    void newIcon();
    void newToolTip();
    void newLabel();

private Q_SLOTS:
    void onHostRegistered();
    void onHostUnregistered();

private:
    void watcherAppeared();
    void watcherGone();
    void registerWithWatcher();
    void registrationFailed();
    void readHostState();
    void setHostRegistered(bool registered);
    void updateState(bool watcher, bool host, bool registered);

    QString m_id;
    QDBusConnection m_bus;
    QString m_serviceName;
    QDBusServiceWatcher* m_watcher = nullptr;
    bool m_started = false;
    bool m_watcherPresent = false;
    bool m_hostRegistered = false;
    bool m_registered = false;
    int m_failedRegistrations = 0;
    // Each answer belongs to one watcher: a late one from a watcher that has
    // gone since is dropped.
    int m_watcherGeneration = 0;
    QTimer m_retry;
    DBusMenu m_menu;
    QString m_title;
    QList<TrayPixmap> m_pixmaps;
    QString m_iconName;
    QString m_iconThemePath;
    QString m_label;
    QString m_labelGuide;
    QString m_toolTipTitle;
    QString m_toolTipText;
};

} // namespace Dunmorra::Platform
