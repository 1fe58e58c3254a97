#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Dunmorra::Platform {

// The attributes of one battery in /sys/class/power_supply, as the driver
// gives them (micro-units: µWh, µAh, µW, µA, µV; seconds; tenths of °C).
// An attribute the driver lacks or refuses is empty.
struct BatteryReading {
    std::string name;                 // BAT0
    std::string status;               // "Charging", "Discharging", "Full", "Not charging", "Unknown"
    std::optional<std::int64_t> capacity;   // percent
    std::optional<std::int64_t> energyNow, energyFull, energyFullDesign;
    std::optional<std::int64_t> chargeNow, chargeFull, chargeFullDesign;
    std::optional<std::int64_t> powerNow, currentNow, voltageNow, voltageMinDesign;
    std::optional<std::int64_t> timeToEmptyNow, timeToFullNow;
    std::optional<std::int64_t> cycleCount;
    std::optional<std::int64_t> temp;
};

// Finds the system batteries under <root>/sys/class/power_supply: those of
// type Battery that are present and whose scope is not Device (mice, headsets
// and game pads report their own batteries there too).
class PowerSupplies {
public:
    explicit PowerSupplies(std::string root = "/");
    // Sorted by name (BAT0 before BAT1); empty when there is none.
    std::vector<BatteryReading> batteries() const;

private:
    std::string m_dir;
};

} // namespace Dunmorra::Platform
