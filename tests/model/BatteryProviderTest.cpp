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
