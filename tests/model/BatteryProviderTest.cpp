#include "model/BatteryProvider.h"

#include "support/ManualClock.h"
#include "support/TestEnvironment.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Dunmorra;
namespace support = Dunmorra::Test;

namespace {

BatteryProvider::Reader fixture(const char* name)
{
    return BatteryProvider::sysfsReader(support::fixturePath(QStringLiteral("power/%1").arg(name)).toStdString());
}

} // namespace

TEST(BatteryProvider, ReadsTheSystemBattery)
{
    struct Case { const char* fixture; BatterySnapshot expected; const char* text; };
    const Case cases[] = {
        {"charging", {62, true, false, 95, 120, 90, BatteryCondition::good, 12'000, 1'500, 3'100, 5'000, 30.5}, "1h 35m"},
        // energy units converted through the design voltage; power over voltage gives the current;
        // the absent BAT0 slot is passed over
        {"discharging", {61, false, false, 120, 0, 78, BatteryCondition::fair, 12'500, -960, 2'162, 4'504, std::nullopt}, "2h 0m"},
        {"full", {100, false, true, std::nullopt, 0, 82, BatteryCondition::good, 12'600, 0, 4'100, 5'000, std::nullopt}, "Fully Charged"},
        // Two batteries read as one: BAT0 idle at 100 %, BAT1 discharging at 40 %. Energy and
        // rates summed; wear, warmth and voltage from the one at work; mAh each through its own
        // design voltage.
        {"two-batteries", {54, false, false, 322, 85, 96, BatteryCondition::good, 11'000, -863, 4'610, 8'771, 29.6}, "5h 22m"},
        // One charging, one idle, both counting charge: charging, and the time to fill both.
        {"two-charging", {71, true, false, 75, 12, 83, BatteryCondition::good, 12'400, 1'600, 5'000, 8'400, std::nullopt}, "1h 15m"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        support::ManualClock clock;
        BatteryProvider provider(fixture(c.fixture), clock);
        QSignalSpy found(&provider, &BatteryProvider::hasBatteryChanged);
        provider.start(std::chrono::hours(1));
        EXPECT_TRUE(provider.hasBattery());
        EXPECT_EQ(found.count(), 1);
        EXPECT_EQ(provider.current(), c.expected);
        EXPECT_EQ(provider.current().timeRemainingText(), QString::fromUtf8(c.text));
        EXPECT_EQ(provider.history().size(), 1);
        provider.refresh();
        EXPECT_EQ(found.count(), 1);
    }
}

TEST(BatteryProvider, WithoutASystemBatteryNothingIsPublished)
{
    for (const char* name : {"device-only", "none"}) {
        SCOPED_TRACE(name);
        BatteryProvider provider(fixture(name));
        provider.start(std::chrono::hours(1));
        provider.refresh();
        EXPECT_FALSE(provider.hasBattery());
        EXPECT_EQ(provider.current(), BatterySnapshot::initial());
        EXPECT_TRUE(provider.history().isEmpty());
    }
}

TEST(BatteryProvider, HealthAndConditionFromFullOverDesignCapacity)
{
    struct Case { std::optional<std::int64_t> full, design; std::int64_t health; BatteryCondition condition; };
    const Case cases[] = {
        {41'000'000, 50'000'000, 82, BatteryCondition::good},
        {39'000'000, 50'000'000, 78, BatteryCondition::fair},
        {24'000'000, 50'000'000, 48, BatteryCondition::poor},
        {52'000'000, 50'000'000, 100, BatteryCondition::good},
        {40'000'000, 50'000'000, 80, BatteryCondition::good},
        {25'000'000, 50'000'000, 50, BatteryCondition::fair},
        {41'000'000, 0, 100, BatteryCondition::good},
        {std::nullopt, 50'000'000, 100, BatteryCondition::good},
    };
    for (const auto& c : cases) {
        Platform::BatteryReading r;
        r.energyFull = c.full;
        r.energyFullDesign = c.design;
        const auto s = BatteryProvider::snapshotFrom(r);
        EXPECT_EQ(s.healthPercent, c.health) << c.full.value_or(-1);
        EXPECT_EQ(s.condition, c.condition) << c.full.value_or(-1);
    }
}

TEST(BatteryProvider, TimeRemainingFromTheDriverOrEstimated)
{
    struct Case {
        const char* status;
        std::optional<std::int64_t> timeToEmpty, energyNow, powerNow, chargeNow, currentNow;
        std::optional<std::int64_t> minutes;
    };
    const Case cases[] = {
        {"Discharging", 0, 30'000'000, 0, {}, {}, std::nullopt},     // no rate: "Calculating…"
        {"Discharging", 2'700, 30'000'000, 10'000'000, {}, {}, 45},  // the driver's estimate wins
        {"Discharging", {}, {}, {}, 2'000'000, -1'000'000, 120},     // charge over a negative-signed current
        {"Not charging", 2'700, 30'000'000, 10'000'000, {}, {}, std::nullopt},
        {"Discharging", {}, 10'000, 12'000'000, {}, {}, std::nullopt}, // below a minute
        // a rate too small to measure gives no estimate, not "1500000h 0m"
        {"Discharging", {}, 30'000'000, 1, {}, {}, std::nullopt},
        {"Discharging", {}, 24'000'000, 1'000'000, {}, {}, 24 * 60},
        {"Discharging", {}, 24'020'000, 1'000'000, {}, {}, std::nullopt},
        {"Discharging", 90'000, 30'000'000, 10'000'000, {}, {}, std::nullopt}, // the driver's, above a day
    };
    for (const auto& c : cases) {
        Platform::BatteryReading r;
        r.status = c.status;
        r.timeToEmptyNow = c.timeToEmpty;
        r.energyNow = c.energyNow;
        r.powerNow = c.powerNow;
        r.chargeNow = c.chargeNow;
        r.currentNow = c.currentNow;
        EXPECT_EQ(BatteryProvider::snapshotFrom(r).timeRemainingMinutes, c.minutes) << c.status;
    }
}

TEST(BatteryProvider, EnergyCapacitiesConvertThroughThePresentVoltageWithoutADesignOne)
{
    Platform::BatteryReading r;
    r.status = "Discharging";
    r.energyNow = 44'400'000;
    r.energyFullDesign = 55'500'000;
    r.voltageNow = 11'100'000;
    auto s = BatteryProvider::snapshotFrom(r);
    EXPECT_EQ(s.currentCapacityMah, 4'000);
    EXPECT_EQ(s.designCapacityMah, 5'000);
    r.voltageMinDesign = 11'400'000;
    s = BatteryProvider::snapshotFrom(r);
    EXPECT_EQ(s.currentCapacityMah, 3'894);
    EXPECT_EQ(s.designCapacityMah, 4'868);
}

TEST(BatteryProvider, SeveralBatteriesCombine)
{
    const auto battery = [](const char* status, std::int64_t capacity) {
        Platform::BatteryReading r;
        r.status = status;
        r.capacity = capacity;
        return r;
    };
    struct Case { std::vector<Platform::BatteryReading> readings; bool charging, full; std::int64_t percent; };
    const Case cases[] = {
        {{battery("Discharging", 30), battery("Charging", 90)}, true, false, 60},
        {{battery("Full", 100), battery("Not charging", 96)}, false, false, 98},
        {{battery("Full", 100), battery("Full", 100)}, false, true, 100},
    };
    for (const auto& c : cases) {
        const auto s = BatteryProvider::snapshotFrom(c.readings);
        EXPECT_EQ(s.isCharging, c.charging) << c.percent;
        EXPECT_EQ(s.isFullyCharged, c.full) << c.percent;
        EXPECT_EQ(s.percent, c.percent); // without amounts, the mean of their percents
    }

    // One counts charge, the other energy: summed in energy, the charge
    // through its battery's design voltage (20 Wh of 40, and 10 of 20).
    Platform::BatteryReading charge = battery("Discharging", 50);
    charge.chargeNow = 2'000'000;
    charge.chargeFull = 4'000'000;
    charge.voltageMinDesign = 10'000'000;
    Platform::BatteryReading energy = battery("Not charging", 50);
    energy.energyNow = 10'000'000;
    energy.energyFull = 20'000'000;
    energy.capacity = 40; // the driver's own percent rounds differently
    EXPECT_EQ(BatteryProvider::snapshotFrom({charge, energy}).percent, 50);
    charge.voltageMinDesign.reset();
    EXPECT_EQ(BatteryProvider::snapshotFrom({charge, energy}).percent, 45);
}

TEST(BatteryProvider, TimeRemainingText)
{
    struct Case { bool full, charging; std::int64_t percent; std::optional<std::int64_t> minutes; const char* text; };
    const Case cases[] = {
        {true, false, 80, 30, "Fully Charged"},
        {false, true, 100, 30, "Fully Charged"},
        {false, true, 99, 45, "45m"},
        {false, false, 50, 252, "4h 12m"},
        {false, false, 50, 120, "2h 0m"},
        {false, false, 50, std::nullopt, "Calculating\u2026"},
    };
    for (const auto& c : cases) {
        BatterySnapshot s;
        s.isFullyCharged = c.full;
        s.isCharging = c.charging;
        s.percent = c.percent;
        s.timeRemainingMinutes = c.minutes;
        EXPECT_EQ(s.timeRemainingText(), QString::fromUtf8(c.text));
    }
    EXPECT_EQ(conditionLabel(BatteryCondition::fair), QStringLiteral("Fair"));
}

TEST(BatteryProvider, SmokeOnThisMachine)
{
    BatteryProvider provider(BatteryProvider::sysfsReader("/"));
    provider.refresh();
    if (!provider.hasBattery()) {
        EXPECT_TRUE(provider.history().isEmpty());
        return;
    }
    EXPECT_GE(provider.current().percent, 0);
    EXPECT_LE(provider.current().percent, 100);
    EXPECT_LE(provider.current().healthPercent, 100);
}
