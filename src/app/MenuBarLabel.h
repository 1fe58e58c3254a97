#pragma once

#include "app/PopoverAnchor.h"
#include "app/TrayIconPainter.h"
#include "app/TrayIconTheme.h"
#include "platform/DesktopColorScheme.h"
#include "platform/StatusNotifierItem.h"

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>

#include <memory>
#include <optional>

class QMenu;

namespace Dunmorra {

// The tray item: the CPU load as a whole number filling the icon, "CPU 37%"
// in the tooltip, and a menu with the popover's footer actions for hosts that
// deliver no left click. On a StatusNotifierItem host the figure also goes
// as a symbolic icon name (drawn in the panel's ink) and as the label "37%"
// for hosts that show one, and the menu is exported over D-Bus. It shows on a StatusNotifierItem host (the D-Bus
// tray) where one runs, else on an XEmbed tray, and it keeps looking for
// either for the whole run: at login the panel often starts after us.
class MenuBarLabel : public QObject {
    Q_OBJECT
public:
    enum class Tray { none, xembed, statusNotifier };

    explicit MenuBarLabel(QObject* parent = nullptr);
    ~MenuBarLabel() override;

    // The tooltip's figure ("7%", "100%"), in the user's locale.
    static QString percentText(double percent);
    // Whether the host whose watcher runs in this process draws the label
    // beside the icon (so the icon need not repeat the figure).
    static bool labelBesideIcon(const QString& watcherProcess);
    // The icon's figure: the same whole number, digits only ("7", "100").
    static QString digitsText(double percent);
    // The icon for a load (none: before the first measured value, the glyph).
    static QIcon renderIcon(std::optional<double> percent, TrayInk ink = TrayInk::light);
    static QImage renderImage(std::optional<double> percent, int size, qreal devicePixelRatio = 1.0,
                              TrayInk ink = TrayInk::light);

    // Where the symbolic icons are written; before show().
    void setIconThemeRoot(const QString& root) { m_theme = TrayIconTheme(root); }

    // Starts showing the item, now or whenever a tray appears.
    void show();
    // A tray shows the item now.
    bool isDocked() const { return tray() != Tray::none; }
    Tray tray() const;
    // Whether the D-Bus tray has answered (or is plainly absent), so that
    // isDocked() can be trusted; false only in the first moments.
    bool isSettled() const;

    // How many times the icon was drawn; each new icon costs the tray host a
    // round trip, so an unchanged figure must not redraw it.
    int renderCount() const { return m_renders; }
    QMenu* menu() const { return m_menu.get(); }
    QString toolTip() const { return m_toolTip; }
    QIcon icon() const { return m_icon; }
    TrayInk ink() const { return m_ink; }

    Platform::StatusNotifierItem* statusNotifierItem() const { return m_sni; }
    QSystemTrayIcon* xembedIcon() const { return m_xembed; }

public Q_SLOTS:
    // A measured load.
    void setUsagePercent(double percent);
    // measured false: the placeholder before the first reading, drawn as the glyph.
    void setUsage(double percent, bool measured);

Q_SIGNALS:
    // A left click (or a middle click) on the icon.
    void clicked(const Dunmorra::PopoverAnchor& anchor);
    void dockedChanged(bool docked);
    void openMainWindowRequested();
    void openSettingsRequested();
    void quitRequested();

private:
    void updateTrays();
    void ensureXEmbedIcon();
    void redraw();
    void pushIcon();
    void choosePanelInk();
    void fitXEmbedSquare();
    void updateInk();
    void showMenuAt(QPoint point);
    QList<Platform::DBusMenuEntry> menuEntries() const;

    std::unique_ptr<QMenu> m_menu;
    QPointer<Platform::StatusNotifierItem> m_sni;
    QPointer<QSystemTrayIcon> m_xembed;
    QTimer m_poll;
    bool m_shown = false;
    bool m_xembedDocked = false;
    bool m_docked = false;
    std::optional<QString> m_digits;
    QString m_figure;
    QString m_toolTip;
    QIcon m_icon;
    TrayInk m_ink = TrayInk::light;
    // What decides the ink, best first: the XEmbed panel's own pixels, the
    // desktop's colour scheme, the application's palette.
    std::optional<TrayInk> m_panelInk;
    QPointer<Platform::DesktopColorScheme> m_scheme;
    TrayIconTheme m_theme;
    bool m_hasValue = false;
    // The D-Bus item lacks the current figure (no watcher when it changed).
    bool m_sniStale = true;
    bool m_labelBesideIcon = false;
    int m_renders = 0;
};

} // namespace Dunmorra
