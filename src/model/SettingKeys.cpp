#include "model/SettingKeys.h"

#include <algorithm>
#include <cmath>

namespace Dunmorra::SettingKeys {

double usableCpuThreshold(double stored)
{
    if (!std::isfinite(stored))
        return cpuThresholdDefault;
    return std::clamp(stored, cpuThresholdMin, cpuThresholdMax);
}

const std::array<Entry, 19>& table()
{
    static const std::array<Entry, 19> entries{{
        {cpuInMenuBar, Type::Bool, cpuInMenuBarDefault, true},
        {memoryInMenuBar, Type::Bool, memoryInMenuBarDefault, true},
        {diskInMenuBar, Type::Bool, diskInMenuBarDefault, true},
        {networkInMenuBar, Type::Bool, networkInMenuBarDefault, true},
        {processesInMenuBar, Type::Bool, processesInMenuBarDefault, true},
        {ipInMenuBar, Type::Bool, ipInMenuBarDefault, true},
        {showSandboxHints, Type::Bool, showSandboxHintsDefault, false},
        {showFolderTab, Type::Bool, showFolderTabDefault, true},
        {audioInMenuBar, Type::Bool, audioInMenuBarDefault, true},
        {alertsEnabled, Type::Bool, alertsEnabledDefault, true},
        {cpuAlerts, Type::Bool, cpuAlertsDefault, true},
        {cpuThreshold, Type::Double, cpuThresholdDefault, true},
        {memoryAlerts, Type::Bool, memoryAlertsDefault, true},
        {memoryThreshold, Type::String, QString::fromLatin1(memoryThresholdDefault), true},
        {diskAlerts, Type::Bool, diskAlertsDefault, true},
        {diskFreePercent, Type::Int, diskFreePercentDefault, true},
        {networkAlerts, Type::Bool, networkAlertsDefault, true},
        {networkDailyGB, Type::Int, networkDailyGBDefault, true},
        {retentionDays, Type::Int, retentionDaysDefault, true},
    }};
    return entries;
}

} // namespace Dunmorra::SettingKeys
