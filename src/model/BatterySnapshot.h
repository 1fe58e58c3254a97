#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace Dunmorra {

enum class BatteryCondition { good, fair, poor };

// "Good", "Fair", "Poor", translated.
QString conditionLabel(BatteryCondition condition);

struct BatterySnapshot {
    std::int64_t percent = 0;
    bool isCharging = false;
    bool isFullyCharged = false;
    std::optional<std::int64_t> timeRemainingMinutes;  // none when below 1
    std::int64_t cycleCount = 0;
    std::int64_t healthPercent = 0;                    // at most 100
    BatteryCondition condition = BatteryCondition::good;
    std::int64_t voltageMV = 0;
    std::int64_t amperageMa = 0;                       // negative while discharging
    std::int64_t currentCapacityMah = 0;
    std::int64_t designCapacityMah = 0;
    std::optional<double> temperatureCelsius;

    bool operator==(const BatterySnapshot&) const = default;

    // "Fully Charged", "45m", "4h 12m" or "Calculating…".
    QString timeRemainingText() const;

    // 87 % with 252 minutes left. Never shown as measured: see hasBattery.
    static const BatterySnapshot& initial();
};

} // namespace Dunmorra
