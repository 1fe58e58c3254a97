#include "platform/StatusNotifierItem.h"

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QFile>

#include <atomic>
#include <unistd.h>

namespace {

// The wire forms: an image is (iiay), a tooltip (sa(iiay)ss).
struct SniImage {
    int width = 0;
    int height = 0;
    QByteArray bytes;
};
using SniImageList = QList<SniImage>;
struct SniToolTip {
    QString iconName;
    SniImageList images;
    QString title;
    QString text;
};

QDBusArgument& operator<<(QDBusArgument& arg, const SniImage& image)
{
    arg.beginStructure();
    arg << image.width << image.height << image.bytes;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, SniImage& image)
{
    arg.beginStructure();
    arg >> image.width >> image.height >> image.bytes;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const SniToolTip& tip)
{
    arg.beginStructure();
    arg << tip.iconName << tip.images << tip.title << tip.text;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, SniToolTip& tip)
{
    arg.beginStructure();
    arg >> tip.iconName >> tip.images >> tip.title >> tip.text;
    arg.endStructure();
    return arg;
}

} // namespace

Q_DECLARE_METATYPE(SniImage)
Q_DECLARE_METATYPE(SniToolTip)

namespace Dunmorra::Platform {

namespace {

constexpr int kDeadlineMs = 3000;

void registerTypes()
{
    static const bool done = [] {
        qDBusRegisterMetaType<SniImage>();
        qDBusRegisterMetaType<SniImageList>();
        qDBusRegisterMetaType<SniToolTip>();
        return true;
    }();
    (void)done;
}

SniImageList wireImages(const QList<TrayPixmap>& pixmaps)
{
    SniImageList out;
    for (const TrayPixmap& p : pixmaps)
        out << SniImage{p.width, p.height, p.argb};
    return out;
}

// What the host sees of the item: org.kde.StatusNotifierItem.
class ItemAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(QString IconThemePath READ iconThemePath)
    Q_PROPERTY(SniImageList IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ noName)
    Q_PROPERTY(SniImageList OverlayIconPixmap READ noImages)
    Q_PROPERTY(QString AttentionIconName READ noName)
    Q_PROPERTY(SniImageList AttentionIconPixmap READ noImages)
    Q_PROPERTY(QString AttentionMovieName READ noName)
    Q_PROPERTY(SniToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)
    // The Ayatana extension: a text beside the icon, in the panel's own font.
    Q_PROPERTY(QString XAyatanaLabel READ label)
    Q_PROPERTY(QString XAyatanaLabelGuide READ labelGuide)
public:
    explicit ItemAdaptor(StatusNotifierItem* item)
        : QDBusAbstractAdaptor(item)
        , m_item(item)
    {
        connect(item, &StatusNotifierItem::newTitle, this, &ItemAdaptor::NewTitle);
        connect(item, &StatusNotifierItem::newIcon, this, &ItemAdaptor::NewIcon);
        connect(item, &StatusNotifierItem::newToolTip, this, &ItemAdaptor::NewToolTip);
        connect(item, &StatusNotifierItem::newLabel, this,
                [this] { Q_EMIT XAyatanaNewLabel(m_item->label(), m_item->labelGuide()); });
    }

    QString category() const { return QStringLiteral("Hardware"); }
    QString id() const { return m_item->id(); }
    QString title() const { return m_item->title(); }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString noName() const { return {}; }
    SniImageList noImages() const { return {}; }
    QString iconName() const { return m_item->iconName(); }
    QString iconThemePath() const { return m_item->iconThemePath(); }
    SniImageList iconPixmap() const { return wireImages(m_item->pixmaps()); }
    QString label() const { return m_item->label(); }
    QString labelGuide() const { return m_item->labelGuide(); }
    // Hosts may render the body as markup; ours is plain text.
    SniToolTip toolTip() const
    {
        return SniToolTip{QString(), {}, m_item->toolTipTitle(), m_item->toolTipText().toHtmlEscaped()};
    }
    bool itemIsMenu() const { return false; }
    QDBusObjectPath menu() const { return QDBusObjectPath(QString::fromLatin1(DBusMenu::kPath)); }

public Q_SLOTS:
    void ContextMenu(int x, int y) { m_item->hostContextMenu(x, y); }
    void Activate(int x, int y) { m_item->hostActivated(x, y); }
    void SecondaryActivate(int x, int y) { m_item->hostSecondaryActivated(x, y); }
    void Scroll(int delta, const QString& orientation)
    {
        Q_UNUSED(delta)
        Q_UNUSED(orientation)
    }

Q_SIGNALS:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    void NewStatus(const QString& status);
    void XAyatanaNewLabel(const QString& label, const QString& guide);

private:
    StatusNotifierItem* m_item;
};

QString uniqueServiceName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("org.kde.StatusNotifierItem-%1-%2").arg(::getpid()).arg(++counter);
}

} // namespace

StatusNotifierItem::StatusNotifierItem(QString id, QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , m_id(std::move(id))
    , m_bus(std::move(bus))
    , m_serviceName(uniqueServiceName())
    , m_registration(m_bus, m_serviceName)
{
    registerTypes();
    new ItemAdaptor(this);
    connect(&m_registration, &StatusNotifierRegistration::stateChanged, this, [this] {
        if (m_registration.watcherOwner() != m_watcherOwner) {
            m_watcherOwner = m_registration.watcherOwner();
            m_watcherProcess.clear();
            readWatcherProcess();
        }
        Q_EMIT stateChanged();
    });
}

StatusNotifierItem::~StatusNotifierItem()
{
    if (!m_started)
        return;
    m_bus.unregisterObject(QString::fromLatin1(kItemPath));
    m_bus.unregisterService(m_serviceName);
}

bool StatusNotifierItem::start()
{
    if (m_started)
        return true;
    if (!m_bus.isConnected())
        return false;
    if (!m_bus.registerService(m_serviceName)
        || !m_bus.registerObject(QString::fromLatin1(kItemPath), this, QDBusConnection::ExportAdaptors))
        return false;
    m_menu.exportOn(m_bus);
    m_started = true;
    m_registration.start();
    return true;
}

void StatusNotifierItem::readWatcherProcess()
{
    if (m_watcherOwner.isEmpty())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetConnectionUnixProcessID"));
    call << m_watcherOwner;
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call, kDeadlineMs), this);
    const QString owner = m_watcherOwner;
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, pending, owner] {
        pending->deleteLater();
        const QDBusPendingReply<uint> reply = *pending;
        if (reply.isError() || owner != m_watcherOwner)
            return;
        QFile comm(QStringLiteral("/proc/%1/comm").arg(reply.value()));
        if (!comm.open(QIODevice::ReadOnly))
            return;
        m_watcherProcess = QString::fromUtf8(comm.readAll()).trimmed();
        Q_EMIT stateChanged();
    });
}

void StatusNotifierItem::setTitle(const QString& title)
{
    if (title == m_title)
        return;
    m_title = title;
    Q_EMIT newTitle();
}

void StatusNotifierItem::setIcon(QList<TrayPixmap> pixmaps, QString iconName)
{
    m_pixmaps = std::move(pixmaps);
    m_iconName = std::move(iconName);
    Q_EMIT newIcon();
}

void StatusNotifierItem::setLabel(const QString& label, const QString& guide)
{
    if (label == m_label && guide == m_labelGuide)
        return;
    m_label = label;
    m_labelGuide = guide;
    Q_EMIT newLabel();
}

void StatusNotifierItem::setToolTip(const QString& title, const QString& text)
{
    if (title == m_toolTipTitle && text == m_toolTipText)
        return;
    m_toolTipTitle = title;
    m_toolTipText = text;
    Q_EMIT newToolTip();
}

void StatusNotifierItem::hostActivated(int x, int y)
{
    Q_EMIT activated(QPoint(x, y));
}

void StatusNotifierItem::hostSecondaryActivated(int x, int y)
{
    Q_EMIT secondaryActivated(QPoint(x, y));
}

void StatusNotifierItem::hostContextMenu(int x, int y)
{
    Q_EMIT contextMenuRequested(QPoint(x, y));
}

} // namespace Dunmorra::Platform

#include "StatusNotifierItem.moc"
