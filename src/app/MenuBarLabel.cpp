#include "app/MenuBarLabel.h"

#include "app/TrayIconEngine.h"
#include "platform/NumberText.h"
#include "platform/StatusNotifierItem.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QWidget>

#include <QtEndian>

namespace Dunmorra {

namespace {

constexpr int kPollMs = 2000;

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

QList<Platform::TrayPixmap> wirePixmaps(const std::optional<QString>& digits, TrayInk ink)
{
    QList<Platform::TrayPixmap> out;
    for (int side : TrayIconEngine::standardSizes()) {
        const QImage image = TrayIconPainter::render(digits, side, 1.0, ink).convertToFormat(QImage::Format_ARGB32);
        Platform::TrayPixmap p{image.width(), image.height(), QByteArray()};
        p.argb.resize(static_cast<qsizetype>(image.width()) * image.height() * 4);
        auto* out32 = reinterpret_cast<quint32*>(p.argb.data());
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                *out32++ = qToBigEndian(row[x]);
        }
        out << p;
    }
    return out;
}

} // namespace

MenuBarLabel::MenuBarLabel(QObject* parent)
    : QObject(parent)
    , m_menu(std::make_unique<QMenu>())
{
    QAction* open = m_menu->addAction(QCoreApplication::translate("MenuBarPopover", "Open main window"));
    QAction* settings = m_menu->addAction(QCoreApplication::translate("MenuBarPopover", "Settings\u2026"));
    m_menu->addSeparator();
    QAction* quit = m_menu->addAction(QCoreApplication::translate("MenuBarPopover", "Quit Halvorin"));
    connect(open, &QAction::triggered, this, &MenuBarLabel::openMainWindowRequested);
    connect(settings, &QAction::triggered, this, &MenuBarLabel::openSettingsRequested);
    connect(quit, &QAction::triggered, this, &MenuBarLabel::quitRequested);

    updateInk();
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &MenuBarLabel::updateTrays);
    redraw();
}

MenuBarLabel::~MenuBarLabel()
{
    if (m_xembed) {
        m_xembed->setContextMenu(nullptr);
        delete m_xembed;
    }
}

QString MenuBarLabel::percentText(double percent)
{
    return localePercent(percent / 100.0, 0);
}

bool MenuBarLabel::labelBesideIcon(const QString& watcherProcess)
{
    // GNOME's indicator extension runs inside the shell and draws the label
    // beside the icon; other hosts show one or the other.
    return watcherProcess == QLatin1String("gnome-shell");
}

QString MenuBarLabel::digitsText(double percent)
{
    // The tooltip's rounding and the locale's own digits, without its sign.
    QString digits;
    for (const QChar c : percentText(percent)) {
        if (c.isDigit())
            digits += c;
    }
    return digits;
}

QImage MenuBarLabel::renderImage(std::optional<double> percent, int size, qreal devicePixelRatio, TrayInk ink)
{
    return TrayIconPainter::render(percent ? std::optional(digitsText(*percent)) : std::nullopt, size,
                                   devicePixelRatio, ink);
}

QIcon MenuBarLabel::renderIcon(std::optional<double> percent, TrayInk ink)
{
    return QIcon(new TrayIconEngine(percent ? std::optional(digitsText(*percent)) : std::nullopt, ink));
}

void MenuBarLabel::setUsagePercent(double percent)
{
    setUsage(percent, true);
}

void MenuBarLabel::setUsage(double percent, bool measured)
{
    const QString figure = percentText(percent);
    const std::optional<QString> digits = measured ? std::optional(digitsText(percent)) : std::nullopt;
    if (m_hasValue && figure == m_figure && digits == m_digits)
        return;
    m_hasValue = true;
    m_figure = figure;
    m_digits = digits;
    redraw();
}

void MenuBarLabel::redraw()
{
    ++m_renders;
    m_icon = QIcon(new TrayIconEngine(m_digits, m_ink));
    m_toolTip = QStringLiteral("Halvorin\n")
        + (m_hasValue ? QCoreApplication::translate("MenuBarLabel", "CPU %1").arg(m_figure) : QString());
    m_toolTip = m_toolTip.trimmed();
    pushIcon();
}

void MenuBarLabel::pushIcon()
{
    if (m_xembed) {
        m_xembed->setIcon(m_icon);
        m_xembed->setToolTip(m_toolTip);
    }
    // Six pictures and an icon file per figure are worth drawing only for a
    // D-Bus tray; the item gets them when a watcher comes.
    m_sniStale = !m_sni || !m_sni->watcherPresent();
    if (!m_sniStale) {
        // Where the host draws the label beside the icon, the icon is the
        // glyph: the figure is shown once, in the label.
        const std::optional<QString> digits = m_labelBesideIcon ? std::nullopt : m_digits;
        m_sni->setIcon(wirePixmaps(digits, m_ink), m_theme.iconName(digits, m_ink));
        m_sni->setToolTip(QStringLiteral("Halvorin"),
                          m_hasValue ? QCoreApplication::translate("MenuBarLabel", "CPU %1").arg(m_figure) : QString());
        // The label's own form ("37%"), and its widest for the host to keep room.
        m_sni->setLabel(m_digits ? m_figure : QString(), percentText(100));
    }
}

void MenuBarLabel::updateInk()
{
    TrayInk ink = TrayIconPainter::inkFor(QGuiApplication::palette().color(QPalette::Window));
    const auto scheme = m_scheme ? m_scheme->scheme() : Platform::DesktopColorScheme::Scheme::unknown;
    if (scheme == Platform::DesktopColorScheme::Scheme::dark)
        ink = TrayInk::light;
    else if (scheme == Platform::DesktopColorScheme::Scheme::light)
        ink = TrayInk::dark;
    if (m_panelInk)
        ink = *m_panelInk;
    if (ink == m_ink)
        return;
    m_ink = ink;
    if (m_renders > 0)
        redraw();
}

QList<Platform::DBusMenuEntry> MenuBarLabel::menuEntries() const
{
    // The ids are the actions' places in the menu, from 1.
    QList<Platform::DBusMenuEntry> entries;
    int id = 0;
    for (const QAction* action : m_menu->actions())
        entries << Platform::DBusMenuEntry{++id, action->text(), action->isSeparator(), action->isEnabled()};
    return entries;
}

void MenuBarLabel::show()
{
    if (m_shown)
        return;
    m_shown = true;
    auto* sni = new Platform::StatusNotifierItem(QStringLiteral("halvorin"), QDBusConnection::sessionBus(), this);
    m_sni = sni;
    sni->setTitle(QStringLiteral("Halvorin"));
    connect(sni, &Platform::StatusNotifierItem::stateChanged, this, [this] {
        const bool beside = labelBesideIcon(m_sni->watcherProcess());
        if ((m_sniStale && m_sni->watcherPresent()) || beside != m_labelBesideIcon) {
            m_labelBesideIcon = beside;
            pushIcon();
        }
        updateTrays();
    });
    connect(sni, &Platform::StatusNotifierItem::activated, this, [this](QPoint point) {
        // Hosts that do not know the point send 0,0.
        Q_EMIT clicked(PopoverAnchor{QRect(), point.isNull() ? std::nullopt : std::optional(point)});
    });
    connect(sni, &Platform::StatusNotifierItem::secondaryActivated, this, [this](QPoint point) {
        Q_EMIT clicked(PopoverAnchor{QRect(), point.isNull() ? std::nullopt : std::optional(point)});
    });
    connect(sni, &Platform::StatusNotifierItem::contextMenuRequested, this, &MenuBarLabel::showMenuAt);
    sni->setIconThemePath(m_theme.root());
    sni->menu()->setRightToLeft(QGuiApplication::layoutDirection() == Qt::RightToLeft);
    sni->menu()->setEntries(menuEntries());
    // A row's new text or state reaches the host's menu too.
    for (QAction* action : m_menu->actions())
        connect(action, &QAction::changed, this, [this] {
            if (m_sni)
                m_sni->menu()->setEntries(menuEntries());
        });
    connect(sni->menu(), &Platform::DBusMenu::triggered, this, [this](int id) {
        const QList<QAction*> actions = m_menu->actions();
        if (id >= 1 && id <= actions.size())
            actions.at(id - 1)->trigger();
    });
    m_scheme = new Platform::DesktopColorScheme(QDBusConnection::sessionBus(), this);
    connect(m_scheme, &Platform::DesktopColorScheme::changed, this, &MenuBarLabel::updateInk);
    m_scheme->start();
    sni->start();
    pushIcon();
    updateTrays();
    m_poll.start();
}

bool MenuBarLabel::isSettled() const
{
    // With a watcher present the item's registration is a round trip away.
    return !m_sni || !m_sni->watcherPresent() || m_sni->shown() || m_xembedDocked;
}

MenuBarLabel::Tray MenuBarLabel::tray() const
{
    if (m_sni && m_sni->shown())
        return Tray::statusNotifier;
    if (m_xembed && m_xembedDocked)
        return Tray::xembed;
    return Tray::none;
}

void MenuBarLabel::ensureXEmbedIcon()
{
    if (m_xembed)
        return;
    m_xembed = new QSystemTrayIcon(this);
    m_xembed->setContextMenu(m_menu.get());
    connect(m_xembed, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::MiddleClick)
            Q_EMIT clicked(PopoverAnchor{m_xembed->geometry(), std::nullopt});
    });
    pushIcon();
}

void MenuBarLabel::updateTrays()
{
    if (!m_shown)
        return;
    const bool sniShown = m_sni && m_sni->shown();
    const bool watcher = m_sni && m_sni->watcherPresent();
    bool xembedDocked = false;
    // Qt decides once per process whether its own tray icon goes through
    // D-Bus, the first time it is asked. It is asked only while no D-Bus tray
    // runs, so it always picks XEmbed and never shows the item a second time.
    if (onX11() && !watcher) {
        ensureXEmbedIcon();
        if (!m_xembed->isVisible())
            m_xembed->show(); // Qt docks it whenever a tray takes the selection
        xembedDocked = QSystemTrayIcon::isSystemTrayAvailable();
    } else if (m_xembed && sniShown && m_xembed->isVisible()) {
        m_xembed->hide(); // the D-Bus tray shows it now
        m_panelInk.reset(); // that panel's colour is not this one's
        updateInk();
    } else if (m_xembed && watcher && !sniShown) {
        // A D-Bus tray that does not show us yet: keep the XEmbed icon until it does.
        xembedDocked = m_xembed->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
    }
    const bool newlyDocked = xembedDocked && !m_xembedDocked;
    m_xembedDocked = xembedDocked;
    if (newlyDocked)
        QTimer::singleShot(500, this, &MenuBarLabel::choosePanelInk);
    if (xembedDocked)
        fitXEmbedSquare();
    const bool docked = isDocked();
    if (docked != m_docked) {
        m_docked = docked;
        Q_EMIT dockedChanged(docked);
    }
}

void MenuBarLabel::choosePanelInk()
{
    // The panel's own colour, from the rows above and below the figures.
    if (!m_xembed || !m_xembedDocked)
        return;
    fitXEmbedSquare();
    const QRect icon = m_xembed->geometry();
    QScreen* screen = icon.isValid() ? QGuiApplication::screenAt(icon.center()) : nullptr;
    if (!screen)
        return;
    const QRect local = icon.translated(-screen->geometry().topLeft());
    const QImage shot = screen->grabWindow(0, local.x(), local.y(), local.width(), local.height()).toImage();
    if (shot.isNull() || shot.height() < 2)
        return;
    double r = 0, g = 0, b = 0;
    int n = 0;
    for (int y : {0, shot.height() - 1}) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            r += c.redF();
            g += c.greenF();
            b += c.blueF();
            ++n;
        }
    }
    if (n == 0)
        return;
    m_panelInk = TrayIconPainter::inkFor(QColor::fromRgbF(static_cast<float>(r / n), static_cast<float>(g / n),
                                                          static_cast<float>(b / n)));
    updateInk();
}

void MenuBarLabel::fitXEmbedSquare()
{
    // Qt's tray window asks for 22 × 22 at least, and a tray gives it that
    // width beside the panel's height. Asking for the height as the width
    // too (the size hints the tray reads) gives the figure the whole square.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() != QLatin1String("QSystemTrayIconSys"))
            continue;
        const int side = window->height();
        if (side > 0 && window->minimumWidth() != side) {
            window->setMinimumSize(side, std::min(side, 22));
            window->resize(side, window->height());
        }
    }
}

void MenuBarLabel::showMenuAt(QPoint point)
{
    m_menu->popup(point.isNull() ? QCursor::pos() : point);
}

} // namespace Dunmorra
