#include "app/SidebarIcons.h"

namespace Dunmorra {

QIcon sidebarIcon(MainTab tab)
{
    // Freedesktop names first, then a generic fallback the Adwaita theme has.
    switch (tab) {
    case MainTab::overview: return QIcon::fromTheme(QStringLiteral("view-grid-symbolic"), QIcon::fromTheme(QStringLiteral("view-grid")));
    case MainTab::cpu: return QIcon::fromTheme(QStringLiteral("utilities-system-monitor-symbolic"), QIcon::fromTheme(QStringLiteral("cpu")));
    case MainTab::memory: return QIcon::fromTheme(QStringLiteral("media-flash-symbolic"), QIcon::fromTheme(QStringLiteral("media-flash")));
    case MainTab::disk: return QIcon::fromTheme(QStringLiteral("drive-harddisk-symbolic"), QIcon::fromTheme(QStringLiteral("drive-harddisk")));
    case MainTab::network: return QIcon::fromTheme(QStringLiteral("network-wired-symbolic"), QIcon::fromTheme(QStringLiteral("network-wired")));
    case MainTab::power: return QIcon::fromTheme(QStringLiteral("battery-symbolic"), QIcon::fromTheme(QStringLiteral("battery")));
    case MainTab::audio: return QIcon::fromTheme(QStringLiteral("audio-volume-high-symbolic"), QIcon::fromTheme(QStringLiteral("audio-volume-high")));
    case MainTab::folders: return QIcon::fromTheme(QStringLiteral("folder-symbolic"), QIcon::fromTheme(QStringLiteral("folder")));
    case MainTab::stats: return QIcon::fromTheme(QStringLiteral("x-office-spreadsheet-symbolic"), QIcon::fromTheme(QStringLiteral("view-statistics")));
    case MainTab::settings: return QIcon::fromTheme(QStringLiteral("preferences-system-symbolic"), QIcon::fromTheme(QStringLiteral("preferences-system")));
    }
    return {};
}

} // namespace Dunmorra
