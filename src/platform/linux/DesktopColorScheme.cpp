#include "platform/DesktopColorScheme.h"

#include "platform/LxqtPalette.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QStandardPaths>

namespace Dunmorra::Platform {

namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kPortalSettings = QStringLiteral("org.freedesktop.portal.Settings");
const QString kAppearance = QStringLiteral("org.freedesktop.appearance");
const QString kColorScheme = QStringLiteral("color-scheme");
const QString kXfconf = QStringLiteral("org.xfce.Xfconf");
const QString kXfconfPath = QStringLiteral("/org/xfce/Xfconf");
const QString kPanelChannel = QStringLiteral("xfce4-panel");
const QString kDarkMode = QStringLiteral("/panels/dark-mode");
constexpr int kDeadlineMs = 3000;

// The portal's Read wraps the value in one variant more than ReadOne does.
QVariant unwrap(QVariant value)
{
    while (value.canConvert<QDBusVariant>() && value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

} // namespace

DesktopColorScheme::DesktopColorScheme(QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_configDirs(QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
{
}

DesktopColorScheme::Scheme DesktopColorScheme::fromPortalValue(uint value)
{
    if (value == 1)
        return Scheme::dark;
    if (value == 2)
        return Scheme::light;
    return Scheme::unknown;
}

DesktopColorScheme::Scheme DesktopColorScheme::scheme() const
{
    if (m_portal != Scheme::unknown)
        return m_portal;
    return m_xfconf != Scheme::unknown ? m_xfconf : m_lxqt;
}

void DesktopColorScheme::start()
{
    const std::optional<bool> lxqtDark = LxqtPalette::isDark(m_configDirs);
    m_lxqt = !lxqtDark ? Scheme::unknown : *lxqtDark ? Scheme::dark : Scheme::light;
    if (m_lxqt != Scheme::unknown)
        Q_EMIT changed();
    if (!m_bus.isConnected())
        return;
    m_bus.connect(kPortal, kPortalPath, kPortalSettings, QStringLiteral("SettingChanged"), this,
                  SLOT(onPortalSettingChanged(QString, QString, QDBusVariant)));
    m_bus.connect(kXfconf, kXfconfPath, kXfconf, QStringLiteral("PropertyChanged"), this,
                  SLOT(onXfconfPropertyChanged(QString, QString, QDBusVariant)));
    readPortal();
    readXfconf();
}

void DesktopColorScheme::read(const QDBusMessage& call, std::function<void(const QVariant&)> onValue)
{
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call, kDeadlineMs), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [pending, onValue = std::move(onValue)] {
        pending->deleteLater();
        const QDBusMessage reply = pending->reply();
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return;
        onValue(unwrap(reply.arguments().front()));
    });
}

void DesktopColorScheme::readPortal()
{
    QDBusMessage call = QDBusMessage::createMethodCall(kPortal, kPortalPath, kPortalSettings, QStringLiteral("Read"));
    call << kAppearance << kColorScheme;
    read(call, [this](const QVariant& value) {
        bool ok = false;
        const uint v = value.toUInt(&ok);
        if (ok)
            setPortal(fromPortalValue(v));
    });
}

void DesktopColorScheme::readXfconf()
{
    QDBusMessage call = QDBusMessage::createMethodCall(kXfconf, kXfconfPath, kXfconf, QStringLiteral("GetProperty"));
    call << kPanelChannel << kDarkMode;
    // Only a running Xfce settings daemon: no other desktop should start one.
    call.setAutoStartService(false);
    // Off means the theme's own look, which says nothing of its tone.
    read(call, [this](const QVariant& value) { setXfconf(value.toBool() ? Scheme::dark : Scheme::unknown); });
}

void DesktopColorScheme::onPortalSettingChanged(const QString& group, const QString& key, const QDBusVariant& value)
{
    if (group == kAppearance && key == kColorScheme)
        setPortal(fromPortalValue(unwrap(value.variant()).toUInt()));
}

void DesktopColorScheme::onXfconfPropertyChanged(const QString& channel, const QString& property,
                                                 const QDBusVariant& value)
{
    if (channel == kPanelChannel && property == kDarkMode)
        setXfconf(unwrap(value.variant()).toBool() ? Scheme::dark : Scheme::unknown);
}

void DesktopColorScheme::setPortal(Scheme scheme)
{
    const Scheme before = this->scheme();
    m_portal = scheme;
    if (this->scheme() != before)
        Q_EMIT changed();
}

void DesktopColorScheme::setXfconf(Scheme scheme)
{
    const Scheme before = this->scheme();
    m_xfconf = scheme;
    if (this->scheme() != before)
        Q_EMIT changed();
}

} // namespace Dunmorra::Platform
