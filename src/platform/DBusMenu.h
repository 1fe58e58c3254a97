#pragma once

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QString>

namespace Dunmorra::Platform {

// One row of an exported menu: an action with its label, or a separator.
struct DBusMenuEntry {
    int id = 0; // above 0; 0 is the menu itself
    QString label;
    bool separator = false;
    bool enabled = true;

    bool operator==(const DBusMenuEntry&) const = default;
};

// A flat menu exported as com.canonical.dbusmenu, the menu a
// StatusNotifierItem host draws itself on right click. Hosts read it with
// GetLayout (or GetGroupProperties) and send the user's choice back as an
// Event; a changed menu tells them with LayoutUpdated or
// ItemsPropertiesUpdated.
class DBusMenu : public QObject {
    Q_OBJECT
public:
    static constexpr char kPath[] = "/MenuBar";
    static constexpr char kInterface[] = "com.canonical.dbusmenu";

    explicit DBusMenu(QObject* parent = nullptr);
    ~DBusMenu() override;

    // Exports the menu at kPath on the bus.
    bool exportOn(QDBusConnection bus);

    void setEntries(QList<DBusMenuEntry> entries);
    const QList<DBusMenuEntry>& entries() const { return m_entries; }
    // Goes up with every change of the entries; hosts compare it.
    uint revision() const { return m_revision; }

    // The language's reading direction, which hosts lay the menu out in.
    void setRightToLeft(bool rightToLeft) { m_rightToLeft = rightToLeft; }
    bool rightToLeft() const { return m_rightToLeft; }

    // For the adaptor: a host's "clicked" event on an entry.
    void hostClicked(int id);
    bool hasEntry(int id) const;

Q_SIGNALS:
    // The user chose this entry in the host's menu.
    void triggered(int id);

    // For the adaptor.
    void layoutChanged(uint revision, int parent);
    void labelsChanged(const QList<int>& ids);

private:
    QList<DBusMenuEntry> m_entries;
    uint m_revision = 1;
    QDBusConnection m_bus;
    bool m_exported = false;
    bool m_rightToLeft = false;
};

} // namespace Dunmorra::Platform
