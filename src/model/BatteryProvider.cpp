#include "model/BatteryProvider.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace Dunmorra {

namespace {

std::optional<std::int64_t> positive(const std::optional<std::int64_t>& v)
{
    if (v && *v > 0)
        return v;
    return std::nullopt;
}

// µWh over µV gives Ah; times 1000 gives mAh.
std::int64_t energyToMah(const std::optional<std::int64_t>& energy, const std::optional<std::int64_t>& volts)
{
    if (!energy || *energy < 0 || !positive(volts))
        return 0;
    return *energy * 1000 / *volts;
}

std::optional<std::int64_t> ratioPercent(const std::optional<std::int64_t>& part, const std::optional<std::int64_t>& whole)
{
    if (!part || *part < 0 || !positive(whole))
        return std::nullopt;
    return *part * 100 / *whole;
}

} // namespace

BatteryProvider::Reader BatteryProvider::sysfsReader(const std::string& root)
{
    auto supplies = std::make_shared<Platform::PowerSupplies>(root);
    return [supplies] { return supplies->firstBattery(); };
}

BatteryProvider::BatteryProvider(Reader reader, const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_reader(std::move(reader))
    , m_clock(clock)
{
}

void BatteryProvider::setPaused(bool paused)
{
    if (m_paused == paused)
        return;
    m_paused = paused;
    emit pausedChanged();
}

void BatteryProvider::start(std::chrono::milliseconds interval)
{
    m_loop.stop();
    refresh();
    m_loop.start(interval, [this] {
        if (!m_paused)
            refresh();
    });
}

void BatteryProvider::refresh()
{
    const auto reading = m_reader ? m_reader() : std::nullopt;
    if (!reading)
        return;
    m_current = snapshotFrom(*reading);
    emit currentChanged();
    m_history.append(m_clock.wallSeconds(), m_current);
    emit historyChanged();
    if (!m_hasBattery) {
        m_hasBattery = true;
        emit hasBatteryChanged();
    }
}

BatterySnapshot BatteryProvider::snapshotFrom(const Platform::BatteryReading& r)
{
    BatterySnapshot s;
    const bool charging = r.status == "Charging";
    const bool discharging = r.status == "Discharging";
    s.isCharging = charging;
    s.isFullyCharged = r.status == "Full";

    if (r.capacity)
        s.percent = *r.capacity;
    else
        s.percent = ratioPercent(r.energyNow, r.energyFull).value_or(ratioPercent(r.chargeNow, r.chargeFull).value_or(0));
    s.percent = std::clamp<std::int64_t>(s.percent, 0, 100);

    // Some drivers sign power and current by direction, others do not.
    const std::optional<std::int64_t> power = r.powerNow ? positive(std::abs(*r.powerNow)) : std::nullopt;
    const std::optional<std::int64_t> current = r.currentNow ? positive(std::abs(*r.currentNow)) : std::nullopt;

    // The kernel's own estimate where the driver gives one, else the charge
    // left (or still missing) over the present rate.
    std::int64_t minutes = -1;
    if (charging) {
        if (const auto t = positive(r.timeToFullNow))
            minutes = *t / 60;
        else if (r.energyFull && r.energyNow && power)
            minutes = std::max<std::int64_t>(0, *r.energyFull - *r.energyNow) * 60 / *power;
        else if (r.chargeFull && r.chargeNow && current)
            minutes = std::max<std::int64_t>(0, *r.chargeFull - *r.chargeNow) * 60 / *current;
    } else if (discharging) {
        if (const auto t = positive(r.timeToEmptyNow))
            minutes = *t / 60;
        else if (r.energyNow && power)
            minutes = *r.energyNow * 60 / *power;
        else if (r.chargeNow && current)
            minutes = *r.chargeNow * 60 / *current;
    }
    if (minutes >= 1)
        s.timeRemainingMinutes = minutes;

    s.cycleCount = std::max<std::int64_t>(0, r.cycleCount.value_or(0));

    // Health in the driver's own unit, so no conversion rounds it.
    std::optional<std::int64_t> health;
    if (positive(r.energyFull) && positive(r.energyFullDesign))
        health = ratioPercent(r.energyFull, r.energyFullDesign);
    else if (positive(r.chargeFull) && positive(r.chargeFullDesign))
        health = ratioPercent(r.chargeFull, r.chargeFullDesign);
    s.healthPercent = (!health || *health > 99) ? 100 : *health;
    s.condition = s.healthPercent >= 80 ? BatteryCondition::good
        : s.healthPercent >= 50         ? BatteryCondition::fair
                                        : BatteryCondition::poor;

    s.voltageMV = r.voltageNow.value_or(0) / 1000;
    std::int64_t milliamps = 0;
    if (current)
        milliamps = *current / 1000;
    else if (power && positive(r.voltageNow))
        milliamps = *power * 1000 / *r.voltageNow; // µW / µV = A
    s.amperageMa = discharging ? -milliamps : milliamps;

    if (r.chargeNow || r.chargeFullDesign) {
        s.currentCapacityMah = std::max<std::int64_t>(0, r.chargeNow.value_or(0)) / 1000;
        s.designCapacityMah = std::max<std::int64_t>(0, r.chargeFullDesign.value_or(0)) / 1000;
    } else {
        s.currentCapacityMah = energyToMah(r.energyNow, r.voltageMinDesign);
        s.designCapacityMah = energyToMah(r.energyFullDesign, r.voltageMinDesign);
    }

    if (r.temp)
        s.temperatureCelsius = static_cast<double>(*r.temp) / 10.0; // tenths of a degree
    return s;
}

} // namespace Dunmorra
