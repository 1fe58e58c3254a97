#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>

#include "platform/DBusMenu.h"
#include "platform/StatusNotifierRegistration.h"

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
// org.kde.StatusNotifierWatcher for as long as the process runs (see
// StatusNotifierRegistration). Clicks come back with the point the host
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
    bool watcherPresent() const { return m_registration.watcherPresent(); }
    // How many registrations the watcher refused or did not answer in a row.
    int failedRegistrations() const { return m_registration.failedRegistrations(); }
    // How many times the watcher dropped the item after taking it.
    int drops() const { return m_registration.drops(); }
    // A watcher reported a host (a panel that shows items), and it holds
    // this item: the item is on screen.
    bool shown() const
    {
        return m_registration.watcherPresent() && m_registration.hostRegistered() && m_registration.registered();
    }
    // The name of the process that runs the watcher (its /proc comm), once
    // known: some hosts are told apart only by it.
    const QString& watcherProcess() const { return m_watcherProcess; }
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
    // shown(), watcherPresent() or watcherProcess() changed.
    void stateChanged();

    // For the adaptor: the properties changed.
    void newTitle();
    void newIcon();
    void newToolTip();
    void newLabel();

private:
    void readWatcherProcess();

    QString m_id;
    QDBusConnection m_bus;
    QString m_serviceName;
    bool m_started = false;
    StatusNotifierRegistration m_registration;
    QString m_watcherOwner;
    QString m_watcherProcess;
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
