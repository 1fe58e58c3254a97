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

// The voltage that turns the battery's energy into charge: the design
// voltage, else (some drivers leave it out) the present one.
std::optional<std::int64_t> conversionVolts(const Platform::BatteryReading& r)
{
    if (const auto design = positive(r.voltageMinDesign))
        return design;
    return positive(r.voltageNow);
}

// µWh over µV gives Ah; times 1000 gives mAh.
std::int64_t energyToMah(const std::optional<std::int64_t>& energy, const std::optional<std::int64_t>& volts)
{
    if (!energy || *energy < 0 || !positive(volts))
        return 0;
    return *energy * 1000 / *volts;
}

// One battery's rate in µW or µA, whichever its driver gives; some drivers
// sign it by direction, others do not.
std::optional<std::int64_t> powerOf(const Platform::BatteryReading& r)
{
    if (r.powerNow)
        return std::abs(*r.powerNow);
    if (r.currentNow && positive(r.voltageNow))
        return std::abs(*r.currentNow) * *r.voltageNow / 1'000'000;
    return std::nullopt;
}

std::optional<std::int64_t> currentOf(const Platform::BatteryReading& r)
{
    if (r.currentNow)
        return std::abs(*r.currentNow);
    if (r.powerNow && positive(r.voltageNow))
        return std::abs(*r.powerNow) * 1'000'000 / *r.voltageNow;
    return std::nullopt;
}

// An amount in µWh, from a charge in µAh where the driver counts charge.
std::optional<std::int64_t> energyOf(const Platform::BatteryReading& r, const std::optional<std::int64_t>& energy,
                                     const std::optional<std::int64_t>& charge)
{
    if (energy)
        return energy;
    const auto volts = conversionVolts(r);
    if (charge && volts)
        return *charge * *volts / 1'000'000;
    return std::nullopt;
}

// An amount in µAh, from an energy in µWh where the driver counts energy.
std::optional<std::int64_t> chargeOf(const Platform::BatteryReading& r, const std::optional<std::int64_t>& charge,
                                     const std::optional<std::int64_t>& energy)
{
    if (charge)
        return charge;
    const auto volts = conversionVolts(r);
    if (energy && volts)
        return *energy * 1'000'000 / *volts;
    return std::nullopt;
}

// The sum over every battery, or none when one of them lacks the amount.
template <typename Amount>
std::optional<std::int64_t> sumOfAll(const std::vector<Platform::BatteryReading>& readings, Amount amount)
{
    std::int64_t total = 0;
    for (const auto& r : readings) {
        const std::optional<std::int64_t> v = amount(r);
        if (!v || *v < 0)
            return std::nullopt;
        total += *v;
    }
    return total;
}

// The sum over the batteries that report a rate: an idle one often reports none.
template <typename Rate>
std::optional<std::int64_t> sumOfGiven(const std::vector<Platform::BatteryReading>& readings, Rate rate)
{
    std::optional<std::int64_t> total;
    for (const auto& r : readings) {
        if (const std::optional<std::int64_t> v = rate(r))
            total = total.value_or(0) + *v;
    }
    return total;
}

std::optional<std::int64_t> ratioPercent(const std::optional<std::int64_t>& part, const std::optional<std::int64_t>& whole)
{
    if (!part || *part < 0 || !positive(whole))
        return std::nullopt;
    return *part * 100 / *whole;
}

// Several batteries as one reading: amounts and rates summed, the rest
// from the battery at work.
Platform::BatteryReading combined(const std::vector<Platform::BatteryReading>& readings)
{
    if (readings.size() == 1)
        return readings.front();
    Platform::BatteryReading out;
    if (readings.empty())
        return out;

    const auto any = [&](const char* status) {
        return std::any_of(readings.begin(), readings.end(), [&](const auto& r) { return r.status == status; });
    };
    // Full only when every battery is: one resting below full ("Not charging"
    // at a charge threshold) keeps the pack from being full.
    const auto resting = std::find_if(readings.begin(), readings.end(), [](const auto& r) { return r.status != "Full"; });
    out.status = any("Charging") ? "Charging"
        : any("Discharging")     ? "Discharging"
        : resting == readings.end() ? "Full"
                                    : resting->status;

    // The battery at work speaks for the pack's wear, warmth and voltage.
    const auto discharging = std::find_if(readings.begin(), readings.end(),
                                          [](const auto& r) { return r.status == "Discharging"; });
    const Platform::BatteryReading& lead = discharging != readings.end() ? *discharging : readings.front();
    out.name = lead.name;
    out.cycleCount = lead.cycleCount;
    out.temp = lead.temp;
    out.voltageNow = lead.voltageNow;
    out.voltageMinDesign = lead.voltageMinDesign;

    const bool allCharge = std::all_of(readings.begin(), readings.end(), [](const auto& r) {
        return r.chargeNow && r.chargeFull && !(r.energyNow && r.energyFull);
    });
    if (allCharge) {
        out.chargeNow = sumOfAll(readings, [](const auto& r) { return r.chargeNow; });
        out.chargeFull = sumOfAll(readings, [](const auto& r) { return r.chargeFull; });
        out.chargeFullDesign = sumOfAll(readings, [](const auto& r) { return r.chargeFullDesign; });
        out.currentNow = sumOfGiven(readings, currentOf);
    } else {
        // Energy is the one unit every battery can be summed in; a battery
        // that counts charge is converted through its own voltage.
        out.energyNow = sumOfAll(readings, [](const auto& r) { return energyOf(r, r.energyNow, r.chargeNow); });
        out.energyFull = sumOfAll(readings, [](const auto& r) { return energyOf(r, r.energyFull, r.chargeFull); });
        out.energyFullDesign = sumOfAll(readings, [](const auto& r) {
            return energyOf(r, r.energyFullDesign, r.chargeFullDesign);
        });
        out.powerNow = sumOfGiven(readings, powerOf);
        // The capacities in mAh likewise, each battery through its own voltage.
        out.chargeNow = sumOfAll(readings, [](const auto& r) { return chargeOf(r, r.chargeNow, r.energyNow); });
        out.chargeFullDesign = sumOfAll(readings, [](const auto& r) {
            return chargeOf(r, r.chargeFullDesign, r.energyFullDesign);
        });
    }

    // Without amounts to sum, the batteries' own percents, each counted once.
    if (!positive(out.energyFull) && !positive(out.chargeFull)) {
        std::int64_t total = 0;
        std::int64_t count = 0;
        for (const auto& r : readings) {
            if (r.capacity) {
                total += std::clamp<std::int64_t>(*r.capacity, 0, 100);
                ++count;
            }
        }
        if (count > 0)
            out.capacity = total / count;
    }
    return out;
}

} // namespace

BatteryProvider::Reader BatteryProvider::sysfsReader(const std::string& root)
{
    auto supplies = std::make_shared<Platform::PowerSupplies>(root);
    return [supplies] { return supplies->batteries(); };
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
    const auto readings = m_reader ? m_reader() : std::vector<Platform::BatteryReading>{};
    if (readings.empty())
        return;
    m_current = snapshotFrom(readings);
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
    if (minutes >= 1 && minutes <= kLongestEstimateMinutes)
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
        s.currentCapacityMah = energyToMah(r.energyNow, conversionVolts(r));
        s.designCapacityMah = energyToMah(r.energyFullDesign, conversionVolts(r));
    }

    if (r.temp)
        s.temperatureCelsius = static_cast<double>(*r.temp) / 10.0; // tenths of a degree
    return s;
}

BatterySnapshot BatteryProvider::snapshotFrom(const std::vector<Platform::BatteryReading>& readings)
{
    return snapshotFrom(combined(readings));
}

} // namespace Dunmorra
