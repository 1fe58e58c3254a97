#include "platform/DBusMenu.h"

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusVariant>

namespace {

// The wire forms of com.canonical.dbusmenu: a layout node is (ia{sv}av), its
// children variants holding nodes; properties of items a(ia{sv}); removed
// properties a(ias); events a(isvu).
struct MenuNode {
    int id = 0;
    QVariantMap properties;
    QList<MenuNode> children;
};
struct MenuItemProperties {
    int id = 0;
    QVariantMap properties;
};
using MenuItemPropertiesList = QList<MenuItemProperties>;
struct MenuItemRemoved {
    int id = 0;
    QStringList names;
};
using MenuItemRemovedList = QList<MenuItemRemoved>;
struct MenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
using MenuEventList = QList<MenuEvent>;

} // namespace

Q_DECLARE_METATYPE(MenuNode)
Q_DECLARE_METATYPE(MenuItemProperties)
Q_DECLARE_METATYPE(MenuItemRemoved)
Q_DECLARE_METATYPE(MenuEvent)

namespace {

QDBusArgument& operator<<(QDBusArgument& arg, const MenuNode& node)
{
    arg.beginStructure();
    arg << node.id << node.properties;
    arg.beginArray(QMetaType::fromType<QDBusVariant>());
    for (const MenuNode& child : node.children)
        arg << QDBusVariant(QVariant::fromValue(child));
    arg.endArray();
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, MenuNode& node)
{
    arg.beginStructure();
    arg >> node.id >> node.properties;
    node.children.clear();
    arg.beginArray();
    while (!arg.atEnd()) {
        QDBusVariant child;
        arg >> child;
        node.children << qdbus_cast<MenuNode>(child.variant());
    }
    arg.endArray();
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const MenuItemProperties& item)
{
    arg.beginStructure();
    arg << item.id << item.properties;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, MenuItemProperties& item)
{
    arg.beginStructure();
    arg >> item.id >> item.properties;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const MenuItemRemoved& item)
{
    arg.beginStructure();
    arg << item.id << item.names;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, MenuItemRemoved& item)
{
    arg.beginStructure();
    arg >> item.id >> item.names;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const MenuEvent& event)
{
    arg.beginStructure();
    arg << event.id << event.eventId << event.data << event.timestamp;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, MenuEvent& event)
{
    arg.beginStructure();
    arg >> event.id >> event.eventId >> event.data >> event.timestamp;
    arg.endStructure();
    return arg;
}

void registerTypes()
{
    static const bool done = [] {
        qDBusRegisterMetaType<MenuNode>();
        qDBusRegisterMetaType<MenuItemProperties>();
        qDBusRegisterMetaType<MenuItemPropertiesList>();
        qDBusRegisterMetaType<MenuItemRemoved>();
        qDBusRegisterMetaType<MenuItemRemovedList>();
        qDBusRegisterMetaType<MenuEvent>();
        qDBusRegisterMetaType<MenuEventList>();
        // QtDBus finds a slot's or signal's argument types by the names the
        // adaptor spells them with: an alias it does not know leaves the
        // method off the bus, silently, and hosts calling it get UnknownMethod.
        qRegisterMetaType<MenuItemPropertiesList>("MenuItemPropertiesList");
        qRegisterMetaType<MenuItemRemovedList>("MenuItemRemovedList");
        qRegisterMetaType<MenuEventList>("MenuEventList");
        return true;
    }();
    (void)done;
}

// The protocol's labels mark a mnemonic with "_"; ours have none.
QString wireLabel(const QString& label)
{
    QString out = label;
    return out.replace(QLatin1Char('_'), QLatin1String("__"));
}

QVariantMap propertiesOf(const Dunmorra::Platform::DBusMenuEntry& entry, const QStringList& wanted)
{
    QVariantMap all;
    if (entry.separator) {
        all.insert(QStringLiteral("type"), QStringLiteral("separator"));
    } else {
        all.insert(QStringLiteral("label"), wireLabel(entry.label));
        all.insert(QStringLiteral("enabled"), entry.enabled);
    }
    all.insert(QStringLiteral("visible"), true);
    if (wanted.isEmpty())
        return all;
    QVariantMap some;
    for (const QString& name : wanted) {
        if (all.contains(name))
            some.insert(name, all.value(name));
    }
    return some;
}

QVariantMap rootProperties(const QStringList& wanted)
{
    if (!wanted.isEmpty() && !wanted.contains(QStringLiteral("children-display")))
        return {};
    return {{QStringLiteral("children-display"), QStringLiteral("submenu")}};
}

} // namespace

namespace Dunmorra::Platform {

namespace {

class MenuAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)
public:
    explicit MenuAdaptor(DBusMenu* menu)
        : QDBusAbstractAdaptor(menu)
        , m_menu(menu)
    {
        connect(menu, &DBusMenu::layoutChanged, this,
                [this](uint revision, int parent) { Q_EMIT LayoutUpdated(revision, parent); });
        connect(menu, &DBusMenu::labelsChanged, this, [this](const QList<int>& ids) {
            MenuItemPropertiesList updated;
            for (const DBusMenuEntry& entry : m_menu->entries()) {
                if (ids.contains(entry.id))
                    updated << MenuItemProperties{entry.id, propertiesOf(entry, {})};
            }
            Q_EMIT ItemsPropertiesUpdated(updated, {});
        });
    }

    uint version() const { return 3; }
    QString textDirection() const
    {
        return m_menu->rightToLeft() ? QStringLiteral("rtl") : QStringLiteral("ltr");
    }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public Q_SLOTS:
    uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames, MenuNode& layout)
    {
        layout = MenuNode{};
        layout.id = parentId;
        if (parentId == 0) {
            layout.properties = rootProperties(propertyNames);
            if (recursionDepth != 0) {
                for (const DBusMenuEntry& entry : m_menu->entries())
                    layout.children << MenuNode{entry.id, propertiesOf(entry, propertyNames), {}};
            }
        } else {
            for (const DBusMenuEntry& entry : m_menu->entries()) {
                if (entry.id == parentId)
                    layout.properties = propertiesOf(entry, propertyNames);
            }
        }
        return m_menu->revision();
    }

    MenuItemPropertiesList GetGroupProperties(const QList<int>& ids, const QStringList& propertyNames)
    {
        MenuItemPropertiesList out;
        for (int id : ids) {
            if (id == 0) {
                out << MenuItemProperties{0, rootProperties(propertyNames)};
                continue;
            }
            for (const DBusMenuEntry& entry : m_menu->entries()) {
                if (entry.id == id)
                    out << MenuItemProperties{id, propertiesOf(entry, propertyNames)};
            }
        }
        return out;
    }

    QDBusVariant GetProperty(int id, const QString& name)
    {
        const MenuItemPropertiesList found = GetGroupProperties({id}, {name});
        if (found.isEmpty() || !found.front().properties.contains(name))
            return QDBusVariant(QVariant(QString()));
        return QDBusVariant(found.front().properties.value(name));
    }

    void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp)
    {
        Q_UNUSED(data)
        Q_UNUSED(timestamp)
        if (eventId == QLatin1String("clicked"))
            m_menu->hostClicked(id);
    }

    QList<int> EventGroup(const MenuEventList& events)
    {
        QList<int> unknown;
        for (const MenuEvent& event : events) {
            if (!m_menu->hasEntry(event.id))
                unknown << event.id;
            else
                Event(event.id, event.eventId, event.data, event.timestamp);
        }
        return unknown;
    }

    // The menu is always current: no host needs to wait for an update.
    bool AboutToShow(int id)
    {
        Q_UNUSED(id)
        return false;
    }

    QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors)
    {
        idErrors.clear();
        for (int id : ids) {
            if (id != 0 && !m_menu->hasEntry(id))
                idErrors << id;
        }
        return {};
    }

Q_SIGNALS:
    void ItemsPropertiesUpdated(const MenuItemPropertiesList& updatedProps, const MenuItemRemovedList& removedProps);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

private:
    DBusMenu* m_menu;
};

} // namespace

DBusMenu::DBusMenu(QObject* parent)
    : QObject(parent)
    , m_bus(QString())
{
    registerTypes();
    new MenuAdaptor(this);
}

DBusMenu::~DBusMenu()
{
    if (m_exported)
        m_bus.unregisterObject(QString::fromLatin1(kPath));
}

bool DBusMenu::exportOn(QDBusConnection bus)
{
    if (m_exported)
        return true;
    m_bus = std::move(bus);
    m_exported = m_bus.registerObject(QString::fromLatin1(kPath), this, QDBusConnection::ExportAdaptors);
    return m_exported;
}

void DBusMenu::setEntries(QList<DBusMenuEntry> entries)
{
    if (entries == m_entries)
        return;
    // The same rows with other texts (a language change) are a change of
    // properties; anything else a new layout.
    bool sameRows = entries.size() == m_entries.size();
    QList<int> relabelled;
    for (qsizetype i = 0; sameRows && i < entries.size(); ++i) {
        sameRows = entries[i].id == m_entries[i].id && entries[i].separator == m_entries[i].separator;
        if (sameRows && entries[i] != m_entries[i])
            relabelled << entries[i].id;
    }
    m_entries = std::move(entries);
    ++m_revision;
    if (sameRows)
        Q_EMIT labelsChanged(relabelled);
    else
        Q_EMIT layoutChanged(m_revision, 0);
}

bool DBusMenu::hasEntry(int id) const
{
    for (const DBusMenuEntry& entry : m_entries) {
        if (entry.id == id)
            return true;
    }
    return false;
}

void DBusMenu::hostClicked(int id)
{
    for (const DBusMenuEntry& entry : m_entries) {
        if (entry.id == id && !entry.separator && entry.enabled)
            Q_EMIT triggered(id);
    }
}

} // namespace Dunmorra::Platform

#include "DBusMenu.moc"
