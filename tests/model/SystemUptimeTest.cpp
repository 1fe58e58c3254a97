#include "model/SystemUptime.h"

#include "support/ManualClock.h"

#include <gtest/gtest.h>

using namespace Dunmorra;

TEST(SystemUptime, SplitsTheSpanSinceBoot)
{
    const struct {
        double now;
        std::optional<std::int64_t> boot;
        Uptime expected;
    } cases[] = {
        {1'000'090'061.9, 1'000'000'000, {1, 1, 1}}, // fractions of the clock are dropped
        {1'000'086'399.0, 1'000'000'000, {0, 23, 59}},
        {1'000'000'059.0, 1'000'000'000, {0, 0, 0}},
        {999'999'000.0, 1'000'000'000, {0, 0, 0}}, // clock set back before the boot
        {1'000'090'061.0, std::nullopt, {0, 0, 0}}, // unreadable boot time
    };
    for (const auto& c : cases) {
        Dunmorra::Test::ManualClock clock(c.now);
        const Uptime uptime = systemUptime(clock, [&] { return c.boot; });
        EXPECT_EQ(uptime, c.expected) << static_cast<long long>(c.now);
    }
    EXPECT_EQ(splitUptime(-1), Uptime{});
}

TEST(SystemUptime, ReadsThisMachinesBootTime)
{
    const Uptime uptime = systemUptime();
    EXPECT_GE(uptime.days, 0);
    EXPECT_LT(uptime.days, 36500);
    EXPECT_GE(uptime.hours, 0);
    EXPECT_LT(uptime.hours, 24);
    EXPECT_LT(uptime.minutes, 60);
}
