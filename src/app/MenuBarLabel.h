#pragma once

#include <QIcon>
#include <QSystemTrayIcon>

#include <memory>

class QMenu;

namespace Dunmorra {

// The tray item: a load-meter glyph with the CPU load as a whole percent
// beside it, the percent again in the tooltip, and a menu with the popover's
// footer actions for hosts that deliver no left click.
class MenuBarLabel : public QSystemTrayIcon {
    Q_OBJECT
public:
    explicit MenuBarLabel(QObject* parent = nullptr);
    ~MenuBarLabel() override;

    // The text drawn in the icon ("7%", "100%"), in the user's locale.
    static QString percentText(double percent);
    // The icon for a load, drawn at the sizes trays ask for.
    static QIcon renderIcon(double percent);
    static QImage renderImage(double percent, int size, qreal devicePixelRatio = 1.0);

    // How many times the icon was drawn; each new icon costs the tray host a
    // round trip, so an unchanged figure must not redraw it.
    int renderCount() const { return m_renders; }
    QMenu* menu() const { return m_menu.get(); }

public Q_SLOTS:
    void setUsagePercent(double percent);

Q_SIGNALS:
    // A left click (or a middle click) on the icon, with its geometry (empty
    // when the host does not tell).
    void clicked(const QRect& geometry);
    void openMainWindowRequested();
    void openSettingsRequested();
    void quitRequested();

private:
    std::unique_ptr<QMenu> m_menu;
    QString m_shown;
    int m_renders = 0;
};

} // namespace Dunmorra
