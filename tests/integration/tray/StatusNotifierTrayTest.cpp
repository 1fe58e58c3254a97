#include "app/HalvorinsApp.h"
#include "app/MainWindowController.h"
#include "app/MainWindowView.h"
#include "app/MenuBarLabel.h"
#include "app/TrayIconPainter.h"
#include "app/TrayIconTheme.h"
#include "model/UserSettings.h"
#include "platform/StatusNotifierItem.h"
#include "support/EventLoop.h"
#include "support/QtPrinters.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QPalette>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <functional>

#include <sys/prctl.h>

using namespace Dunmorra;
using Platform::StatusNotifierItem;

namespace {

const QString kWatcherName = QString::fromLatin1(StatusNotifierItem::kWatcherService);
const QString kWatcherPath = QString::fromLatin1(StatusNotifierItem::kWatcherPath);

// A panel's watcher, on a bus connection of its own: it records the items
// that register and says whether a host (the panel) is there.
class FakeWatcher : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
public:
    explicit FakeWatcher(bool host)
        : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("panel")))
        , m_host(host)
    {
    }
    ~FakeWatcher() override { stop(); }

    bool start()
    {
        return m_bus.registerObject(kWatcherPath, this, QDBusConnection::ExportAllContents)
            && m_bus.registerService(kWatcherName);
    }
    void stop()
    {
        m_bus.unregisterService(kWatcherName);
        m_bus.unregisterObject(kWatcherPath);
    }
    void announceHost()
    {
        m_host = true;
        m_bus.send(QDBusMessage::createSignal(kWatcherPath, QStringLiteral("org.kde.StatusNotifierWatcher"),
                                              QStringLiteral("StatusNotifierHostRegistered")));
    }

    bool hostRegistered() const { return m_host; }
    QStringList items() const { return m_items; }
    int protocolVersion() const { return 0; }
    QDBusConnection& bus() { return m_bus; }

    // A signal of the item's objects that reaches the panel.
    void listenFor(const QString& service, const QString& path, const QString& interface, const QString& name)
    {
        m_bus.connect(service, path, interface, name, this, SLOT(onItemSignal()));
    }

    // The watcher forgets the item, saying so or not.
    void drop(const QString& service, bool say)
    {
        m_items.removeAll(service);
        if (!say)
            return;
        QDBusMessage signal = QDBusMessage::createSignal(kWatcherPath, QStringLiteral("org.kde.StatusNotifierWatcher"),
                                                         QStringLiteral("StatusNotifierItemUnregistered"));
        signal << service;
        m_bus.send(signal);
    }
    int accepted() const { return m_accepted; }

    // The item's signals that reach the panel, in order.
    void listenTo(const QString& service)
    {
        for (const char* name : {"NewIcon", "NewToolTip", "NewTitle"})
            m_bus.connect(service, QString::fromLatin1(StatusNotifierItem::kItemPath),
                          QString::fromLatin1(StatusNotifierItem::kItemInterface), QString::fromLatin1(name), this,
                          SLOT(onItemSignal()));
        m_bus.connect(service, QString::fromLatin1(StatusNotifierItem::kItemPath),
                      QString::fromLatin1(StatusNotifierItem::kItemInterface), QStringLiteral("XAyatanaNewLabel"), this,
                      SLOT(onItemSignal()));
    }
    const QStringList& heard() const { return m_heard; }

    // Calls a method of the item's exported menu and waits for the reply.
    QDBusMessage callMenu(const QString& service, const QString& path, const QString& method,
                          const QVariantList& args)
    {
        QDBusMessage call =
            QDBusMessage::createMethodCall(service, path, QStringLiteral("com.canonical.dbusmenu"), method);
        call.setArguments(args);
        QDBusPendingCall pending = m_bus.asyncCall(call, 5000);
        Dunmorra::Test::settle([&] { return pending.isFinished(); });
        return pending.reply();
    }

    // Reads a property of a registered item, as the panel does.
    QVariant itemProperty(const QString& service, const QString& name)
    {
        QDBusMessage get = QDBusMessage::createMethodCall(service, QString::fromLatin1(StatusNotifierItem::kItemPath),
                                                          QStringLiteral("org.freedesktop.DBus.Properties"),
                                                          QStringLiteral("Get"));
        get << QString::fromLatin1(StatusNotifierItem::kItemInterface) << name;
        QDBusPendingCall pending = m_bus.asyncCall(get, 5000);
        // The item lives in this very process: keep its event loop running.
        Dunmorra::Test::settle([&] { return pending.isFinished(); });
        const QDBusMessage reply = pending.reply();
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return {};
        return reply.arguments().at(0).value<QDBusVariant>().variant();
    }

    void callItem(const QString& service, const QString& method, int x, int y)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(service, QString::fromLatin1(StatusNotifierItem::kItemPath),
                                                           QString::fromLatin1(StatusNotifierItem::kItemInterface),
                                                           method);
        call << x << y;
        QDBusPendingCall pending = m_bus.asyncCall(call, 5000);
        Dunmorra::Test::settle([&] { return pending.isFinished(); });
    }

    // A watcher whose object does not answer yet refuses this many first.
    void refuseFirst(int count) { m_refuse = count; }
    int refused() const { return m_refused; }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& service)
    {
        if (m_refused < m_refuse) {
            ++m_refused;
            sendErrorReply(QDBusError::UnknownObject, QStringLiteral("not ready"));
            return;
        }
        m_items << service;
        ++m_accepted;
    }

private Q_SLOTS:
    void onItemSignal() { m_heard << message().member(); }

Q_SIGNALS:
    void StatusNotifierHostRegistered();

private:
    QDBusConnection m_bus;
    bool m_host;
    QStringList m_items;
    QStringList m_heard;
    int m_refuse = 0;
    int m_refused = 0;
    int m_accepted = 0;
};

// One event of a dbusmenu host's EventGroup, (isvu).
struct HostMenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};

QDBusArgument& operator<<(QDBusArgument& arg, const HostMenuEvent& e)
{
    arg.beginStructure();
    arg << e.id << e.eventId << e.data << e.timestamp;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, HostMenuEvent& e)
{
    arg.beginStructure();
    arg >> e.id >> e.eventId >> e.data >> e.timestamp;
    arg.endStructure();
    return arg;
}

// The names of one interface's methods, signals and properties in an
// introspection document.
struct Members {
    QStringList methods, signals_, properties;
};

Members membersOf(const QString& xml, const QString& interface)
{
    Members out;
    QXmlStreamReader reader(xml);
    bool inside = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const QString name = reader.attributes().value(QStringLiteral("name")).toString();
            if (reader.name() == QLatin1String("interface"))
                inside = name == interface;
            else if (inside && reader.name() == QLatin1String("method"))
                out.methods << name;
            else if (inside && reader.name() == QLatin1String("signal"))
                out.signals_ << name;
            else if (inside && reader.name() == QLatin1String("property"))
                out.properties << name;
        } else if (reader.isEndElement() && reader.name() == QLatin1String("interface")) {
            inside = false;
        }
    }
    out.methods.sort();
    out.signals_.sort();
    out.properties.sort();
    return out;
}

struct Image {
    int width = 0, height = 0;
    QByteArray bytes;
};

std::vector<Image> images(const QVariant& value)
{
    std::vector<Image> out;
    const QDBusArgument arg = value.value<QDBusArgument>();
    arg.beginArray();
    while (!arg.atEnd()) {
        Image i;
        arg.beginStructure();
        arg >> i.width >> i.height >> i.bytes;
        arg.endStructure();
        out.push_back(i);
    }
    arg.endArray();
    return out;
}

// The desktop's settings portal, saying its colour scheme.
class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
public:
    explicit FakePortal(uint scheme)
        : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("portal")))
        , m_scheme(scheme)
    {
    }
    ~FakePortal() override
    {
        m_bus.unregisterService(QStringLiteral("org.freedesktop.portal.Desktop"));
        m_bus.unregisterObject(QStringLiteral("/org/freedesktop/portal/desktop"));
    }
    bool start()
    {
        return m_bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), this,
                                    QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals)
            && m_bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"));
    }
    // The user switches the desktop's style.
    void change(uint scheme)
    {
        m_scheme = scheme;
        QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/portal/desktop"),
                                                         QStringLiteral("org.freedesktop.portal.Settings"),
                                                         QStringLiteral("SettingChanged"));
        signal << QStringLiteral("org.freedesktop.appearance") << QStringLiteral("color-scheme")
               << QVariant::fromValue(QDBusVariant(scheme));
        m_bus.send(signal);
    }

public Q_SLOTS:
    // As the portal's first version answers: the value in one variant more.
    QDBusVariant Read(const QString& group, const QString& key)
    {
        if (group == QLatin1String("org.freedesktop.appearance") && key == QLatin1String("color-scheme"))
            return QDBusVariant(QVariant::fromValue(QDBusVariant(m_scheme)));
        return QDBusVariant(QVariant(QString()));
    }

private:
    QDBusConnection m_bus;
    uint m_scheme;
};

// Whether a picture the host read is the figure drawn in this ink.
bool drawnIn(const QByteArray& wire, double percent, TrayInk ink)
{
    const QImage drawn = MenuBarLabel::renderImage(percent, 22, 1.0, ink).convertToFormat(QImage::Format_ARGB32);
    for (int i = 0; i < 22 * 22; ++i) {
        const QRgb pixel = drawn.pixel(i % 22, i / 22);
        if (static_cast<uchar>(wire[i * 4]) != qAlpha(pixel) || static_cast<uchar>(wire[i * 4 + 1]) != qRed(pixel))
            return false;
    }
    return true;
}

// A dbusmenu layout node, (ia{sv}av), with its children.
struct MenuNode {
    int id = -1;
    QVariantMap properties;
    std::vector<MenuNode> children;
};

MenuNode menuNode(const QDBusArgument& arg)
{
    MenuNode node;
    arg.beginStructure();
    arg >> node.id >> node.properties;
    arg.beginArray();
    while (!arg.atEnd()) {
        QDBusVariant child;
        arg >> child;
        node.children.push_back(menuNode(child.variant().value<QDBusArgument>()));
    }
    arg.endArray();
    arg.endStructure();
    return node;
}

// The label of each row as the host shows it, "-" for a separator.
QStringList rowTexts(const MenuNode& root)
{
    QStringList out;
    for (const MenuNode& row : root.children)
        out << (row.properties.value(QStringLiteral("type")).toString() == QLatin1String("separator")
                    ? QStringLiteral("-")
                    : row.properties.value(QStringLiteral("label")).toString());
    return out;
}

// The item on a panel with a host, its service name in *service.
bool dock(FakeWatcher& panel, MenuBarLabel& label, QString* service)
{
    if (!panel.start())
        return false;
    label.show();
    if (!Dunmorra::Test::settle([&] { return label.isDocked(); }) || panel.items().size() != 1)
        return false;
    *service = panel.items().front();
    return true;
}

} // namespace

Q_DECLARE_METATYPE(HostMenuEvent)

TEST(StatusNotifierTray, ShowsOnThePanelWithItsPicturesAndClickPoint)
{
    FakeWatcher panel(true);
    ASSERT_TRUE(panel.start());
    MenuBarLabel label;
    label.setUsage(37.0, true);
    label.show();
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return label.isDocked(); })) << "the item did not register with the watcher";
    EXPECT_EQ(label.tray(), MenuBarLabel::Tray::statusNotifier);
    EXPECT_EQ(label.xembedIcon(), nullptr); // never a second icon beside it
    ASSERT_EQ(panel.items().size(), 1);
    const QString service = panel.items().front();

    EXPECT_EQ(panel.itemProperty(service, QStringLiteral("Id")).toString(), QStringLiteral("halvorin"));
    EXPECT_EQ(panel.itemProperty(service, QStringLiteral("Status")).toString(), QStringLiteral("Active"));
    // One picture per size a panel may want, each drawn at that size.
    const auto pictures = images(panel.itemProperty(service, QStringLiteral("IconPixmap")));
    std::vector<int> sides;
    for (const Image& i : pictures) {
        EXPECT_EQ(i.width, i.height);
        EXPECT_EQ(i.bytes.size(), i.width * i.height * 4);
        sides.push_back(i.width);
    }
    EXPECT_EQ(sides, (std::vector<int>{16, 22, 24, 32, 48, 64}));
    // ARGB in network order: the 22-px picture is the one the label draws.
    const QImage drawn = MenuBarLabel::renderImage(37.0, 22, 1.0, label.ink()).convertToFormat(QImage::Format_ARGB32);
    const QByteArray wire = pictures[1].bytes;
    const QRgb pixel = drawn.pixel(11, 11);
    const auto at = static_cast<qsizetype>((11 * 22 + 11) * 4);
    EXPECT_EQ(static_cast<uchar>(wire[at]), qAlpha(pixel));
    EXPECT_EQ(static_cast<uchar>(wire[at + 1]), qRed(pixel));

    QSignalSpy clicked(&label, &MenuBarLabel::clicked);
    panel.callItem(service, QStringLiteral("Activate"), 1200, 14);
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return clicked.count() == 1; }));
    const auto anchor = clicked.at(0).at(0).value<PopoverAnchor>();
    EXPECT_EQ(anchor.point, QPoint(1200, 14));
    EXPECT_FALSE(anchor.iconGeometry.isValid());
    // 0,0: a host that does not know where the click was.
    panel.callItem(service, QStringLiteral("Activate"), 0, 0);
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return clicked.count() == 2; }));
    EXPECT_FALSE(clicked.at(1).at(0).value<PopoverAnchor>().point.has_value());
}

// At login the panel often starts after the applications, and a panel may
// restart: the item registers with every watcher that appears.
TEST(StatusNotifierTray, APanelThatStartsLaterOrRestartsGetsTheItem)
{
    MenuBarLabel label;
    label.show();
    EXPECT_TRUE(label.isSettled());
    EXPECT_FALSE(label.isDocked());
    QSignalSpy docked(&label, &MenuBarLabel::dockedChanged);

    {
        FakeWatcher panel(false); // the watcher first, the panel a moment later
        ASSERT_TRUE(panel.start());
        ASSERT_TRUE(Dunmorra::Test::settle([&] { return panel.items().size() == 1; }));
        Dunmorra::Test::settle([] { return false; }, 200);
        EXPECT_FALSE(label.isDocked());
        panel.announceHost();
        ASSERT_TRUE(Dunmorra::Test::settle([&] { return label.isDocked(); }));
        EXPECT_EQ(docked.count(), 1);
    }
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return !label.isDocked(); })) << "the panel went away";

    FakeWatcher again(true);
    ASSERT_TRUE(again.start());
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return label.isDocked(); }));
    EXPECT_EQ(again.items().size(), 1);
}

// The host draws the right-click menu from the exported layout and sends the
// user's choice back as an event; the menu's rows are the XEmbed menu's.
TEST(StatusNotifierTray, TheHostReadsTheMenuAndItsChoicesReachTheApplication)
{
    FakeWatcher panel(true);
    MenuBarLabel label;
    QTemporaryDir icons;
    label.setIconThemeRoot(icons.path());
    QString service;
    ASSERT_TRUE(dock(panel, label, &service));

    const QString path = panel.itemProperty(service, QStringLiteral("Menu")).value<QDBusObjectPath>().path();
    ASSERT_EQ(path, QStringLiteral("/MenuBar"));
    const QDBusMessage layout =
        panel.callMenu(service, path, QStringLiteral("GetLayout"), {0, -1, QStringList()});
    ASSERT_EQ(layout.type(), QDBusMessage::ReplyMessage) << layout.errorMessage().toStdString();
    ASSERT_EQ(layout.arguments().size(), 2);
    const MenuNode root = menuNode(layout.arguments().at(1).value<QDBusArgument>());
    EXPECT_EQ(root.id, 0);
    EXPECT_EQ(root.properties.value(QStringLiteral("children-display")).toString(), QStringLiteral("submenu"));
    QStringList xembedRows;
    for (const QAction* action : label.menu()->actions())
        xembedRows << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(rowTexts(root), xembedRows);
    EXPECT_EQ(rowTexts(root), (QStringList{QStringLiteral("Open main window"), QStringLiteral("Settings\u2026"),
                                           QStringLiteral("-"), QStringLiteral("Quit Halvorin")}));

    // Hosts that read rows by id, and ask before showing.
    const QDBusMessage group = panel.callMenu(service, path, QStringLiteral("GetGroupProperties"),
                                              {QVariant::fromValue(QList<int>{1, 4}), QStringList{QStringLiteral("label")}});
    ASSERT_EQ(group.type(), QDBusMessage::ReplyMessage) << group.errorMessage().toStdString();
    const QDBusMessage before = panel.callMenu(service, path, QStringLiteral("AboutToShow"), {0});
    ASSERT_EQ(before.type(), QDBusMessage::ReplyMessage);
    EXPECT_FALSE(before.arguments().at(0).toBool());

    // Each row's event, as the host sends it when the user picks the row.
    QSignalSpy open(&label, &MenuBarLabel::openMainWindowRequested);
    QSignalSpy settings(&label, &MenuBarLabel::openSettingsRequested);
    QSignalSpy quit(&label, &MenuBarLabel::quitRequested);
    struct Row {
        int index;
        QSignalSpy* spy;
    };
    for (const Row& row : {Row{0, &open}, Row{1, &settings}, Row{3, &quit}}) {
        const QDBusMessage event =
            panel.callMenu(service, path, QStringLiteral("Event"),
                           {root.children.at(row.index).id, QStringLiteral("clicked"),
                            QVariant::fromValue(QDBusVariant(QVariant(QString()))), 0u});
        ASSERT_EQ(event.type(), QDBusMessage::ReplyMessage) << event.errorMessage().toStdString();
        ASSERT_TRUE(Dunmorra::Test::settle([&] { return row.spy->count() == 1; })) << "row " << row.index;
    }
    // A hover is no choice, and a separator chooses nothing.
    panel.callMenu(service, path, QStringLiteral("Event"),
                   {root.children.at(3).id, QStringLiteral("hovered"), QVariant::fromValue(QDBusVariant(0)), 0u});
    panel.callMenu(service, path, QStringLiteral("Event"),
                   {root.children.at(2).id, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u});
    Dunmorra::Test::settle([] { return false; }, 100);
    EXPECT_EQ(open.count() + settings.count() + quit.count(), 3);
}

// A host keeps what it read until the item says that something changed: a
// new figure must come with NewIcon, NewToolTip and the label's signal, or
// the number stands still on every D-Bus panel.
TEST(StatusNotifierTray, ANewFigureReachesTheHostWithItsSignals)
{
    FakeWatcher panel(true);
    MenuBarLabel label;
    QTemporaryDir icons;
    label.setIconThemeRoot(icons.path());
    label.setUsage(37.0, true);
    QString service;
    ASSERT_TRUE(dock(panel, label, &service));
    panel.listenTo(service);
    const auto read = [&](const char* name) { return panel.itemProperty(service, QString::fromLatin1(name)); };

    const QByteArray before = images(read("IconPixmap")).at(1).bytes;
    const auto nameOf = [&](const char* digits) {
        return TrayIconTheme::nameFor(QString::fromLatin1(digits), label.ink());
    };
    EXPECT_EQ(read("IconName").toString(), nameOf("37"));
    EXPECT_EQ(read("XAyatanaLabel").toString(), QStringLiteral("37%"));
    EXPECT_EQ(read("XAyatanaLabelGuide").toString(), QStringLiteral("100%"));
    const QString themePath = read("IconThemePath").toString();
    EXPECT_EQ(themePath, icons.path());
    EXPECT_TRUE(QFile::exists(themePath + QLatin1Char('/') + nameOf("37") + QStringLiteral(".svg")));

    label.setUsage(82.0, true);
    ASSERT_TRUE(Dunmorra::Test::settle([&] {
        return panel.heard().contains(QStringLiteral("NewIcon")) && panel.heard().contains(QStringLiteral("NewToolTip"))
            && panel.heard().contains(QStringLiteral("XAyatanaNewLabel"));
    })) << "heard: " << panel.heard().join(QLatin1Char(' ')).toStdString();

    const QByteArray after = images(read("IconPixmap")).at(1).bytes;
    EXPECT_NE(after, before);
    EXPECT_TRUE(drawnIn(after, 82.0, label.ink())) << "the host reads the new figure's picture";
    EXPECT_EQ(read("IconName").toString(), nameOf("82"));
    EXPECT_TRUE(QFile::exists(themePath + QLatin1Char('/') + nameOf("82") + QStringLiteral(".svg")));
    EXPECT_EQ(read("XAyatanaLabel").toString(), QStringLiteral("82%"));
    const QDBusArgument tip = read("ToolTip").value<QDBusArgument>();
    QString iconName, title, text;
    tip.beginStructure();
    tip >> iconName;
    tip.beginArray();
    while (!tip.atEnd()) {
        tip.beginStructure();
        int w = 0, h = 0;
        QByteArray bytes;
        tip >> w >> h >> bytes;
        tip.endStructure();
    }
    tip.endArray();
    tip >> title >> text;
    tip.endStructure();
    EXPECT_EQ(text, QStringLiteral("CPU 82%"));
}

// Hosts that take only the pictures never say their colour; where the
// desktop says its colour scheme, the figures follow it, also when the user
// switches it while the item is shown.
TEST(StatusNotifierTray, ThePicturesFollowTheDesktopsColourScheme)
{
    FakePortal portal(1); // dark
    ASSERT_TRUE(portal.start());
    FakeWatcher panel(true);
    MenuBarLabel label;
    QTemporaryDir icons;
    label.setIconThemeRoot(icons.path());
    label.setUsage(37.0, true);
    QString service;
    ASSERT_TRUE(dock(panel, label, &service));
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return label.ink() == TrayInk::light; })) << "light figures on a dark desktop";
    EXPECT_TRUE(drawnIn(images(panel.itemProperty(service, QStringLiteral("IconPixmap"))).at(1).bytes, 37.0,
                        TrayInk::light));

    panel.listenTo(service);
    portal.change(2); // light
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return panel.heard().contains(QStringLiteral("NewIcon")); }));
    EXPECT_EQ(label.ink(), TrayInk::dark);
    EXPECT_TRUE(drawnIn(images(panel.itemProperty(service, QStringLiteral("IconPixmap"))).at(1).bytes, 37.0,
                        TrayInk::dark));
}

// A watcher may own its name a moment before its object answers, and refuse
// the first registrations: the item tries again until it is taken.
TEST(StatusNotifierTray, ARefusedRegistrationIsTriedAgain)
{
    FakeWatcher panel(true);
    panel.refuseFirst(2);
    ASSERT_TRUE(panel.start());
    MenuBarLabel label;
    QTemporaryDir icons;
    label.setIconThemeRoot(icons.path());
    label.show();
    // 0.5 s and 1 s of waiting after the two refusals.
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return label.isDocked(); })) << "refused " << panel.refused();
    EXPECT_EQ(panel.refused(), 2);
    EXPECT_EQ(panel.items().size(), 1);
    EXPECT_EQ(label.statusNotifierItem()->failedRegistrations(), 0);
}

// A watcher that keeps refusing is left for the next one: a new owner of the
// watcher's name gets the item at once, not after the back-off.
TEST(StatusNotifierTray, ANewWatcherGetsTheItemAtOnceAfterRefusals)
{
    MenuBarLabel label;
    QTemporaryDir icons;
    label.setIconThemeRoot(icons.path());
    label.show();
    {
        FakeWatcher stubborn(true);
        stubborn.refuseFirst(1000);
        ASSERT_TRUE(stubborn.start());
        ASSERT_TRUE(Dunmorra::Test::settle([&] { return stubborn.refused() >= 3; }));
    }
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return !label.statusNotifierItem()->watcherPresent(); }));
    FakeWatcher fresh(true);
    ASSERT_TRUE(fresh.start());
    // Well inside the 4 s the back-off had reached.
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return label.isDocked(); }, 3000));
    EXPECT_EQ(fresh.items().size(), 1);
}

// Every host library calls its own part of the menu's interface: libdbusmenu
// (Xfce, Ayatana) sends AboutToShowGroup and EventGroup, KDE and GNOME's
// extension Event. A method whose argument types QtDBus does not know by
// name is left off the bus without a word, and its callers get UnknownMethod.
TEST(StatusNotifierTray, EveryMethodAndSignalOfTheMenuIsOnTheBus)
{
    qDBusRegisterMetaType<HostMenuEvent>();
    qDBusRegisterMetaType<QList<HostMenuEvent>>();
    FakeWatcher panel(true);
    MenuBarLabel label;
    QTemporaryDir icons;
    label.setIconThemeRoot(icons.path());
    QString service;
    ASSERT_TRUE(dock(panel, label, &service));
    const QString path = QStringLiteral("/MenuBar");
    const QString menu = QStringLiteral("com.canonical.dbusmenu");

    QDBusPendingCall pending = panel.bus().asyncCall(QDBusMessage::createMethodCall(
        service, path, QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect")));
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return pending.isFinished(); }));
    const Members members = membersOf(pending.reply().arguments().value(0).toString(), menu);
    EXPECT_EQ(members.methods, (QStringList{QStringLiteral("AboutToShow"), QStringLiteral("AboutToShowGroup"),
                                            QStringLiteral("Event"), QStringLiteral("EventGroup"),
                                            QStringLiteral("GetGroupProperties"), QStringLiteral("GetLayout"),
                                            QStringLiteral("GetProperty")}));
    EXPECT_EQ(members.signals_, (QStringList{QStringLiteral("ItemActivationRequested"),
                                             QStringLiteral("ItemsPropertiesUpdated"), QStringLiteral("LayoutUpdated")}));
    EXPECT_EQ(members.properties, (QStringList{QStringLiteral("IconThemePath"), QStringLiteral("Status"),
                                               QStringLiteral("TextDirection"), QStringLiteral("Version")}));

    // libdbusmenu's click: the known row acts, the unknown id comes back.
    QSignalSpy open(&label, &MenuBarLabel::openMainWindowRequested);
    const QList<HostMenuEvent> events{{1, QStringLiteral("clicked"), QDBusVariant(0), 0},
                                      {99, QStringLiteral("clicked"), QDBusVariant(0), 0}};
    const QDBusMessage group = panel.callMenu(service, path, QStringLiteral("EventGroup"), {QVariant::fromValue(events)});
    ASSERT_EQ(group.type(), QDBusMessage::ReplyMessage) << group.errorMessage().toStdString();
    EXPECT_EQ(qdbus_cast<QList<int>>(group.arguments().value(0)), QList<int>{99});
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return open.count() == 1; }));
    const QDBusMessage before = panel.callMenu(service, path, QStringLiteral("AboutToShowGroup"),
                                               {QVariant::fromValue(QList<int>{0, 1, 99})});
    ASSERT_EQ(before.type(), QDBusMessage::ReplyMessage) << before.errorMessage().toStdString();
    EXPECT_EQ(qdbus_cast<QList<int>>(before.arguments().value(1)), QList<int>{99});

    // A row's new text reaches the host with ItemsPropertiesUpdated.
    panel.listenFor(service, path, menu, QStringLiteral("ItemsPropertiesUpdated"));
    label.menu()->actions().at(0)->setText(QStringLiteral("Abrir la ventana principal"));
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return panel.heard().contains(QStringLiteral("ItemsPropertiesUpdated")); }));
    const QDBusMessage layout = panel.callMenu(service, path, QStringLiteral("GetLayout"), {0, -1, QStringList()});
    ASSERT_EQ(layout.type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(rowTexts(menuNode(layout.arguments().at(1).value<QDBusArgument>())).value(0),
              QStringLiteral("Abrir la ventana principal"));
}

// A watcher may take the item, read it and drop it again (a race inside
// GNOME's extension), or forget it and say only that a host came (a panel
// restarted behind the same watcher): either way the item is back at once.
TEST(StatusNotifierTray, AWatcherThatDropsTheItemGetsItAgain)
{
    for (const bool says : {true, false}) {
        FakeWatcher panel(true);
        MenuBarLabel label;
        QTemporaryDir icons;
        label.setIconThemeRoot(icons.path());
        QString service;
        ASSERT_TRUE(dock(panel, label, &service)) << says;
        panel.drop(service, says);
        if (!says)
            panel.announceHost();
        ASSERT_TRUE(Dunmorra::Test::settle([&] { return panel.accepted() == 2; }, 10000)) << says;
        EXPECT_EQ(panel.items(), QStringList{service});
        ASSERT_TRUE(Dunmorra::Test::settle([&] { return label.isDocked(); })) << says;
        EXPECT_EQ(label.statusNotifierItem()->drops(), 1);
    }
}

// The application is never invisible: a watcher that no panel backs, or one
// that drops the item for good, leaves the main window open.
TEST(StatusNotifierTray, WithNoHostShowingTheItemTheMainWindowOpens)
{
    struct Case {
        const char* what;
        bool host;
    };
    for (const Case& c : {Case{"a watcher with no host", false}, Case{"a watcher that drops the item for good", true}}) {
        FakeWatcher panel(c.host);
        ASSERT_TRUE(panel.start());
        QTemporaryDir dir;
        UserSettings settings(std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.conf")), QSettings::IniFormat));
        HalvorinsApp app(settings);
        app.start();
        const auto windowShown = [&] { return app.windows().window() && app.windows().window()->isVisible(); };
        if (c.host) {
            ASSERT_TRUE(Dunmorra::Test::settle([&] { return app.label()->isDocked(); })) << c.what;
            // Past the start, when a tray that does not answer opens the window.
            Dunmorra::Test::settle([] { return false; }, HalvorinsApp::kTraySettleTime + 500);
            ASSERT_FALSE(windowShown()) << "docked: no window";
            panel.refuseFirst(1000);
            panel.drop(panel.items().value(0), true);
            ASSERT_TRUE(Dunmorra::Test::settle([&] { return !app.label()->isDocked(); })) << c.what;
        }
        EXPECT_TRUE(Dunmorra::Test::settle(windowShown, HalvorinsApp::kTrayLostTime * 3)) << c.what;
        Dunmorra::Test::settle(); // the environment's first background passes
    }
}

// GNOME's indicator extension runs its watcher inside the shell and draws
// the label beside the icon: there the icon is the glyph and the label the
// percent, so the figure is shown once. The watcher here is this process,
// named as the shell for the while.
TEST(StatusNotifierTray, BesideTheShellsLabelTheIconIsTheGlyph)
{
    char ownName[17] = {};
    ASSERT_EQ(prctl(PR_GET_NAME, ownName), 0);
    ASSERT_EQ(prctl(PR_SET_NAME, "gnome-shell"), 0);
    struct Restore {
        const char* name;
        ~Restore() { prctl(PR_SET_NAME, name); }
    } restore{ownName};

    FakeWatcher panel(true);
    MenuBarLabel label;
    QTemporaryDir icons;
    label.setIconThemeRoot(icons.path());
    label.setUsage(37.0, true);
    QString service;
    ASSERT_TRUE(dock(panel, label, &service));
    const QString glyph = TrayIconTheme::nameFor(std::nullopt, label.ink());
    ASSERT_TRUE(Dunmorra::Test::settle(
        [&] { return panel.itemProperty(service, QStringLiteral("IconName")).toString() == glyph; }))
        << panel.itemProperty(service, QStringLiteral("IconName")).toString().toStdString();
    EXPECT_EQ(panel.itemProperty(service, QStringLiteral("XAyatanaLabel")).toString(), QStringLiteral("37%"));
    const auto pictures = images(panel.itemProperty(service, QStringLiteral("IconPixmap")));
    ASSERT_FALSE(pictures.empty());
    const QImage drawn = MenuBarLabel::renderImage(std::nullopt, pictures.front().width, 1.0, label.ink())
                             .convertToFormat(QImage::Format_ARGB32);
    const int middle = pictures.front().width / 2;
    const auto at = static_cast<qsizetype>((middle * pictures.front().width + middle) * 4);
    EXPECT_EQ(static_cast<uchar>(pictures.front().bytes[at]), qAlpha(drawn.pixel(middle, middle)));
}

namespace {

// Reads a property of the item's exported menu, as the host does before it
// lays the menu out.
QVariant menuProperty(FakeWatcher& panel, const QString& service, const QString& name)
{
    QDBusMessage get = QDBusMessage::createMethodCall(service, QStringLiteral("/MenuBar"),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << QStringLiteral("com.canonical.dbusmenu") << name;
    QDBusPendingCall pending = panel.bus().asyncCall(get, 5000);
    Dunmorra::Test::settle([&] { return pending.isFinished(); });
    const QDBusMessage reply = pending.reply();
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().at(0).value<QDBusVariant>().variant();
}

// The ToolTip property's (sa(iiay)ss): its body text.
QString toolTipText(const QVariant& value)
{
    const QDBusArgument tip = value.value<QDBusArgument>();
    QString iconName, title, text;
    tip.beginStructure();
    tip >> iconName;
    tip.beginArray();
    while (!tip.atEnd()) {
        tip.beginStructure();
        int w = 0, h = 0;
        QByteArray bytes;
        tip >> w >> h >> bytes;
        tip.endStructure();
    }
    tip.endArray();
    tip >> title >> text;
    tip.endStructure();
    return text;
}

// Xfce's settings daemon, holding the panel's dark-mode setting.
class FakeXfconf : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.xfce.Xfconf")
public:
    explicit FakeXfconf(bool dark)
        : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("xfconf")))
        , m_dark(dark)
    {
    }
    ~FakeXfconf() override
    {
        m_bus.unregisterService(QStringLiteral("org.xfce.Xfconf"));
        m_bus.unregisterObject(QStringLiteral("/org/xfce/Xfconf"));
    }
    bool start()
    {
        return m_bus.registerObject(QStringLiteral("/org/xfce/Xfconf"), this, QDBusConnection::ExportAllSlots)
            && m_bus.registerService(QStringLiteral("org.xfce.Xfconf"));
    }
    // The user switches the panel's dark mode in its preferences.
    void change(bool dark)
    {
        m_dark = dark;
        QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/xfce/Xfconf"),
                                                         QStringLiteral("org.xfce.Xfconf"),
                                                         QStringLiteral("PropertyChanged"));
        signal << QStringLiteral("xfce4-panel") << QStringLiteral("/panels/dark-mode")
               << QVariant::fromValue(QDBusVariant(dark));
        m_bus.send(signal);
    }

public Q_SLOTS:
    QDBusVariant GetProperty(const QString& channel, const QString& property)
    {
        if (channel == QLatin1String("xfce4-panel") && property == QLatin1String("/panels/dark-mode"))
            return QDBusVariant(m_dark);
        return QDBusVariant(QVariant(QString()));
    }

private:
    QDBusConnection m_bus;
    bool m_dark;
};

} // namespace

// A host lays the menu out in the direction the item gives: left to right
// for English, right to left only where the application's language reads so.
TEST(StatusNotifierTray, TheMenuReadsInTheLanguagesDirection)
{
    struct Restore {
        Qt::LayoutDirection direction = QGuiApplication::layoutDirection();
        ~Restore() { QGuiApplication::setLayoutDirection(direction); }
    } restore;
    for (const auto& [direction, exported] : {std::pair{Qt::LeftToRight, "ltr"}, std::pair{Qt::RightToLeft, "rtl"}}) {
        SCOPED_TRACE(exported);
        QGuiApplication::setLayoutDirection(direction);
        FakeWatcher panel(true);
        MenuBarLabel label;
        QTemporaryDir icons;
        label.setIconThemeRoot(icons.path());
        QString service;
        ASSERT_TRUE(dock(panel, label, &service));
        EXPECT_EQ(menuProperty(panel, service, QStringLiteral("TextDirection")).toString(),
                  QString::fromLatin1(exported));
    }
}

// A panel that starts after the application (at login, say) gets the
// figure, its label and its tooltip at once, not the empty item it would
// keep until the load next changed.
TEST(StatusNotifierTray, APanelThatStartsLaterGetsTheFigureShownMeanwhile)
{
    MenuBarLabel label;
    QTemporaryDir icons;
    label.setIconThemeRoot(icons.path());
    label.setUsage(37.0, true);
    label.show();
    ASSERT_FALSE(label.isDocked());

    FakeWatcher panel(true);
    ASSERT_TRUE(panel.start());
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return label.isDocked(); })) << "the item did not register";
    const QString service = panel.items().front();
    const auto read = [&](const char* name) { return panel.itemProperty(service, QString::fromLatin1(name)); };
    const auto pictures = images(read("IconPixmap"));
    EXPECT_TRUE(pictures.size() > 1 && drawnIn(pictures.at(1).bytes, 37.0, label.ink()))
        << pictures.size() << " pictures";
    EXPECT_EQ(read("IconName").toString(), TrayIconTheme::nameFor(QStringLiteral("37"), label.ink()));
    EXPECT_EQ(read("XAyatanaLabel").toString(), QStringLiteral("37%"));
    EXPECT_EQ(toolTipText(read("ToolTip")), QStringLiteral("CPU 37%"));
}

// Xfce's panel says its dark mode in its own setting: on, the figures are
// light; off, it says nothing of its tone and the palette decides (here a
// light one, so dark figures). Followed while the application runs.
TEST(StatusNotifierTray, TheFiguresFollowXfcesPanelDarkMode)
{
    ASSERT_EQ(TrayIconPainter::inkFor(QGuiApplication::palette().color(QPalette::Window)), TrayInk::dark)
        << "with a dark palette the test cannot tell the setting from the palette";
    FakeXfconf xfconf(true);
    ASSERT_TRUE(xfconf.start());
    MenuBarLabel label;
    QTemporaryDir icons;
    label.setIconThemeRoot(icons.path());
    label.show();
    EXPECT_TRUE(Dunmorra::Test::settle([&] { return label.ink() == TrayInk::light; }))
        << "dark figures on a dark Xfce panel";

    xfconf.change(false);
    EXPECT_TRUE(Dunmorra::Test::settle([&] { return label.ink() == TrayInk::dark; }));
    xfconf.change(true);
    EXPECT_TRUE(Dunmorra::Test::settle([&] { return label.ink() == TrayInk::light; }));
}

#include "StatusNotifierTrayTest.moc"
