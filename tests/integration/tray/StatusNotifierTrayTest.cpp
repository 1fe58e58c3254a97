#include "app/MenuBarLabel.h"
#include "platform/StatusNotifierItem.h"
#include "support/EventLoop.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

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

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& service) { m_items << service; }

Q_SIGNALS:
    void StatusNotifierHostRegistered();

private:
    QDBusConnection m_bus;
    bool m_host;
    QStringList m_items;
};

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

} // namespace

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

#include "StatusNotifierTrayTest.moc"
