#pragma once

#include <QMetaType>
#include <QString>

#include <array>
#include <optional>

namespace Dunmorra {

// The main window's tabs, in sidebar and "Go" menu order.
enum class MainTab { overview, cpu, memory, disk, network, power, audio, folders, stats, settings };

inline constexpr std::array<MainTab, 10> allMainTabs{
    MainTab::overview, MainTab::cpu, MainTab::memory, MainTab::disk, MainTab::network,
    MainTab::power, MainTab::audio, MainTab::folders, MainTab::stats, MainTab::settings};

QString rawValue(MainTab tab);
// The tab a raw text names; any other text gives none.
std::optional<MainTab> mainTabFromRawValue(const QString& raw);
// Localized title ("Overview", "CPU", …).
QString title(MainTab tab);
// The symbol name the views' icon table knows ("square.grid.2x2", "cpu", …).
QString symbol(MainTab tab);

} // namespace Dunmorra

Q_DECLARE_METATYPE(Dunmorra::MainTab)
