#pragma once

#include <QDBusConnection>
#include <QDBusVariant>
#include <QObject>
#include <QStringList>

#include <functional>

namespace Dunmorra::Platform {

// The colour scheme the desktop says it uses, where it says one: the
// settings portal's org.freedesktop.appearance color-scheme (GNOME, KDE and
// most portals), else the Xfce panel's own dark-mode setting, else the
// palette LXQt's settings give (read once, at start). A tray host
// never tells an item its colour; this is the next best guess. It follows
// changes while it runs. The portal may be started by the bus, as it is
// meant to be; Xfce's settings daemon is only asked where it already runs.
class DesktopColorScheme : public QObject {
    Q_OBJECT
public:
    enum class Scheme { unknown, dark, light };

    explicit DesktopColorScheme(QDBusConnection bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

    // Where the desktop's settings files are looked for, most important
    // first; before start().
    void setConfigDirs(QStringList dirs) { m_configDirs = std::move(dirs); }
    // Asks the desktop; the answer comes later as changed().
    void start();
    Scheme scheme() const;

    // The portal's value: 1 prefers dark, 2 light, 0 (and anything else) says nothing.
    static Scheme fromPortalValue(uint value);

Q_SIGNALS:
    void changed();

private Q_SLOTS:
    void onPortalSettingChanged(const QString& group, const QString& key, const QDBusVariant& value);
    void onXfconfPropertyChanged(const QString& channel, const QString& property, const QDBusVariant& value);

private:
    void readPortal();
    void readXfconf();
    // Sends a property read; onValue gets the unwrapped value of a reply that holds one.
    void read(const QDBusMessage& call, std::function<void(const QVariant&)> onValue);
    void setPortal(Scheme scheme);
    void setXfconf(Scheme scheme);

    QDBusConnection m_bus;
    Scheme m_portal = Scheme::unknown;
    Scheme m_xfconf = Scheme::unknown;
    Scheme m_lxqt = Scheme::unknown;
    QStringList m_configDirs;
};

} // namespace Dunmorra::Platform
