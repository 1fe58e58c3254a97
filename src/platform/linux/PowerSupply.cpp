#include "platform/PowerSupply.h"

#include "platform/linux/TextFile.h"

#include <dirent.h>

#include <algorithm>
#include <vector>

namespace Dunmorra::Platform {

using namespace Linux;

PowerSupplies::PowerSupplies(std::string root)
    : m_dir(joinPath(root, "/sys/class/power_supply/"))
{
}

std::vector<BatteryReading> PowerSupplies::batteries() const
{
    std::vector<BatteryReading> found;
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(m_dir.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (entry->d_name[0] != '.')
                names.emplace_back(entry->d_name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());

    for (const auto& name : names) {
        const std::string base = m_dir + name + "/";
        const auto attr = [&](const char* key) { return readAttribute(base + key); };
        const auto type = attr("type");
        if (!type || trimmed(*type) != "Battery")
            continue;
        if (const auto scope = attr("scope"); scope && trimmed(*scope) == "Device")
            continue;
        if (const auto present = readIntegerAttribute(base + "present"); present && *present == 0)
            continue;

        const auto number = [&](const char* key) { return readIntegerAttribute(base + key); };
        BatteryReading r;
        r.name = name;
        r.status = std::string(trimmed(attr("status").value_or(std::string())));
        r.capacity = number("capacity");
        r.energyNow = number("energy_now");
        r.energyFull = number("energy_full");
        r.energyFullDesign = number("energy_full_design");
        r.chargeNow = number("charge_now");
        r.chargeFull = number("charge_full");
        r.chargeFullDesign = number("charge_full_design");
        r.powerNow = number("power_now");
        r.currentNow = number("current_now");
        r.voltageNow = number("voltage_now");
        r.voltageMinDesign = number("voltage_min_design");
        r.timeToEmptyNow = number("time_to_empty_now");
        r.timeToFullNow = number("time_to_full_now");
        r.cycleCount = number("cycle_count");
        r.temp = number("temp");
        found.push_back(std::move(r));
    }
    return found;
}

} // namespace Dunmorra::Platform
