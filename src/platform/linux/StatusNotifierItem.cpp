#include "platform/StatusNotifierItem.h"

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

#include <atomic>
#include <iterator>
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

const QString kWatcher = QString::fromLatin1(StatusNotifierItem::kWatcherService);
const QString kWatcherObject = QString::fromLatin1(StatusNotifierItem::kWatcherPath);
const QString kWatcherInterface = QStringLiteral("org.kde.StatusNotifierWatcher");
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
{
    registerTypes();
    new ItemAdaptor(this);
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, [this] {
        if (m_watcherPresent && !m_registered)
            registerWithWatcher();
    });
}

StatusNotifierItem::~StatusNotifierItem()
{
    if (!m_started)
        return;
    m_bus.disconnect(kWatcher, kWatcherObject, kWatcherInterface, QStringLiteral("StatusNotifierHostRegistered"), this,
                     SLOT(onHostRegistered()));
    m_bus.disconnect(kWatcher, kWatcherObject, kWatcherInterface, QStringLiteral("StatusNotifierHostUnregistered"),
                     this, SLOT(onHostUnregistered()));
    m_bus.unregisterObject(QString::fromLatin1(kItemPath));
    m_bus.unregisterService(m_serviceName);
}

int StatusNotifierItem::retryDelayMs(int failures)
{
    // Quick at first (a watcher a moment from answering), then every 10 s.
    static constexpr int kFirst[] = {500, 1000, 2000, 4000};
    if (failures >= 1 && failures <= static_cast<int>(std::size(kFirst)))
        return kFirst[failures - 1];
    return 10000;
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
    m_watcher = new QDBusServiceWatcher(kWatcher, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                // A new owner is a new watcher: it knows nothing of us yet.
                if (newOwner.isEmpty())
                    watcherGone();
                else
                    watcherAppeared();
            });
    m_bus.connect(kWatcher, kWatcherObject, kWatcherInterface, QStringLiteral("StatusNotifierHostRegistered"), this,
                  SLOT(onHostRegistered()));
    m_bus.connect(kWatcher, kWatcherObject, kWatcherInterface, QStringLiteral("StatusNotifierHostUnregistered"), this,
                  SLOT(onHostUnregistered()));
    // Only the bus daemon answers this one, so asking it at once is safe.
    if (m_bus.interface()->isServiceRegistered(kWatcher))
        watcherAppeared();
    return true;
}

void StatusNotifierItem::watcherAppeared()
{
    ++m_watcherGeneration;
    m_failedRegistrations = 0;
    m_retry.stop();
    updateState(true, false, false);
    registerWithWatcher();
}

void StatusNotifierItem::watcherGone()
{
    ++m_watcherGeneration;
    m_failedRegistrations = 0;
    m_retry.stop();
    updateState(false, false, false);
}

void StatusNotifierItem::registrationFailed()
{
    ++m_failedRegistrations;
    m_retry.start(retryDelayMs(m_failedRegistrations));
}

void StatusNotifierItem::registerWithWatcher()
{
    QDBusMessage call = QDBusMessage::createMethodCall(kWatcher, kWatcherObject, kWatcherInterface,
                                                       QStringLiteral("RegisterStatusNotifierItem"));
    call << m_serviceName;
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call, kDeadlineMs), this);
    const int generation = m_watcherGeneration;
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, pending, generation] {
        pending->deleteLater();
        const QDBusPendingReply<> reply = *pending;
        if (generation != m_watcherGeneration || !m_watcherPresent)
            return;
        if (reply.isError()) {
            registrationFailed();
            return;
        }
        m_failedRegistrations = 0;
        updateState(true, m_hostRegistered, true);
        readHostState();
    });
}

void StatusNotifierItem::readHostState()
{
    QDBusMessage get = QDBusMessage::createMethodCall(kWatcher, kWatcherObject,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << kWatcherInterface << QStringLiteral("IsStatusNotifierHostRegistered");
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(get, kDeadlineMs), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, pending] {
        pending->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *pending;
        // A watcher without the property still shows what registers with it.
        const bool host = reply.isError() || reply.value().variant().toBool();
        setHostRegistered(host);
    });
}

void StatusNotifierItem::onHostRegistered()
{
    setHostRegistered(true);
}

void StatusNotifierItem::onHostUnregistered()
{
    // Another host may remain; the watcher's property says.
    readHostState();
}

void StatusNotifierItem::setHostRegistered(bool registered)
{
    if (!m_watcherPresent)
        return;
    updateState(true, registered, m_registered);
}

void StatusNotifierItem::updateState(bool watcher, bool host, bool registered)
{
    const bool wasShown = shown();
    const bool hadWatcher = m_watcherPresent;
    m_watcherPresent = watcher;
    m_hostRegistered = host;
    m_registered = registered;
    if (wasShown != shown() || hadWatcher != m_watcherPresent)
        Q_EMIT stateChanged();
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
