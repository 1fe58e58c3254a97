#pragma once

#include <QVariant>

#include <array>

namespace Dunmorra::SettingKeys {

// The stored keys, spelled as users' existing preferences hold them.
inline constexpr char cpuInMenuBar[] = "metrics.cpu.menubar.enabled";
inline constexpr char memoryInMenuBar[] = "metrics.memory.menubar.enabled";
inline constexpr char diskInMenuBar[] = "metrics.disk.menubar.enabled";
inline constexpr char networkInMenuBar[] = "metrics.network.menubar.enabled";
inline constexpr char processesInMenuBar[] = "metrics.processes.menubar.enabled";
inline constexpr char ipInMenuBar[] = "metrics.ip.menubar.enabled";
inline constexpr char showSandboxHints[] = "ui.sandbox.showHints";
inline constexpr char showFolderTab[] = "ui.sandbox.showFolderTab";
inline constexpr char audioInMenuBar[] = "metrics.audio.menubar.enabled";
inline constexpr char alertsEnabled[] = "alerts.master.enabled";
inline constexpr char cpuAlerts[] = "alerts.cpu.enabled";
inline constexpr char cpuThreshold[] = "alerts.cpu.threshold";
inline constexpr char memoryAlerts[] = "alerts.memory.enabled";
inline constexpr char memoryThreshold[] = "alerts.memory.threshold";
inline constexpr char diskAlerts[] = "alerts.disk.enabled";
inline constexpr char diskFreePercent[] = "alerts.disk.threshold";
inline constexpr char networkAlerts[] = "alerts.network.enabled";
inline constexpr char networkDailyGB[] = "alerts.network.dailyGB";
inline constexpr char retentionDays[] = "history.retentionDays";
inline constexpr char languages[] = "AppleLanguages";

// Defaults, shared by every place that binds a key.
inline constexpr bool cpuInMenuBarDefault = true;
inline constexpr bool memoryInMenuBarDefault = true;
inline constexpr bool diskInMenuBarDefault = false;
inline constexpr bool networkInMenuBarDefault = false;
inline constexpr bool processesInMenuBarDefault = true;
inline constexpr bool ipInMenuBarDefault = false;
inline constexpr bool showSandboxHintsDefault = true;
inline constexpr bool showFolderTabDefault = true;
inline constexpr bool audioInMenuBarDefault = false;
inline constexpr bool alertsEnabledDefault = true;
inline constexpr bool cpuAlertsDefault = true;
inline constexpr double cpuThresholdDefault = 80.0;
// The slider's range: a stored threshold outside it (only a hand edit puts
// one there) is taken at the nearer end, and one no number holds as the default.
inline constexpr double cpuThresholdMin = 50.0;
inline constexpr double cpuThresholdMax = 99.0;
double usableCpuThreshold(double stored);
inline constexpr bool memoryAlertsDefault = true;
inline constexpr char memoryThresholdDefault[] = "warning";
inline constexpr bool diskAlertsDefault = true;
inline constexpr int diskFreePercentDefault = 10;
inline constexpr bool networkAlertsDefault = false;
inline constexpr int networkDailyGBDefault = 5;
inline constexpr int retentionDaysDefault = 30;

enum class Type { Bool, Double, Int, String };

struct Entry {
    const char* key;
    Type type;
    QVariant defaultValue;
    bool resetWrites;
};

// The nineteen bound settings in the Settings tab's declaration order.
// "AppleLanguages" is not among them: no view binds it.
const std::array<Entry, 19>& table();

} // namespace Dunmorra::SettingKeys
