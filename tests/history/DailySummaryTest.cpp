#include "history/DailySummary.h"

#include <gtest/gtest.h>

namespace Dunmorra {
namespace {

HourBucket bucket(std::int64_t hour, double cpuSum, std::int64_t cpuCount, double cpuPeak = 0)
{
    HourBucket b = HourBucket::forHour(hour);
    b.cpu = {cpuSum, cpuCount, cpuPeak, 1000};
    return b;
}

TEST(DailySummary, EmptyDayGivesZerosAndAnEmptySeries)
{
    const DailySummary s = DailySummary::emptyFor(QDate(2026, 12, 9));
    EXPECT_TRUE(s.cpuHourlySeries().empty());
    for (double v : {s.avgCPU(), s.peakCPU(), s.avgMemoryGB(), s.peakMemoryGB(), s.totalNetworkUpBytes(),
             s.totalNetworkDownBytes(), s.totalDiskReadBytes(), s.totalDiskWriteBytes()})
        EXPECT_EQ(v, 0.0);
    EXPECT_FALSE(s.batteryStartPercent());
    EXPECT_FALSE(s.batteryEndPercent());
    EXPECT_TRUE(s.topProcesses().empty());
    EXPECT_TRUE(s.sortedNetworks().empty());
}

TEST(DailySummary, MeansWeighEveryHourEquallyAndAnEmptyBucketStillCounts)
{
    DailySummary s;
    s.hours = {bucket(8, 10, 1, 10), bucket(9, 50 * 59, 59, 95), bucket(10, 0, 0)};
    s.hours[0].memoryGB = {8, 1, 8, 1};
    s.hours[1].memoryGB = {12 * 59, 59, 16, 2};

    EXPECT_DOUBLE_EQ(s.avgCPU(), 20.0);   // (10 + 50 + 0) / 3
    EXPECT_DOUBLE_EQ(s.avgMemoryGB(), 20.0 / 3);
    EXPECT_EQ(s.peakCPU(), 95.0);
    EXPECT_EQ(s.peakMemoryGB(), 16.0);
    EXPECT_EQ(s.cpuHourlySeries(), (std::vector<double>{0.1, 0.5, 0.0}));
    EXPECT_EQ(s.recordedMinutes(), 60);
}

TEST(DailySummary, BatteryLevelsComeFromTheFirstAndLastBucketWithBatteryMinutes)
{
    struct Case {
        const char* name;
        std::vector<BucketStat> battery; // one bucket per entry, hours 1, 2, ...
        std::optional<std::int64_t> start;
        std::optional<std::int64_t> end;
    };
    const std::vector<Case> cases = {
        {"truncated means", {{99.99, 1, 99.99, 1}, {86.9 * 3, 3, 87, 1}}, 99, 86},
        {"empty first bucket", {{}, {95 * 2, 2, 95, 1}, {80, 1, 80, 1}}, 95, 80},
        {"empty last bucket", {{70, 1, 70, 1}, {60, 1, 60, 1}, {}}, 70, 60},
        {"one bucket between empty ones", {{}, {42, 1, 42, 1}, {}}, 42, 42},
        {"a sum without a count is no reading", {{500, 0, 0, 0}, {50, 1, 50, 1}}, 50, 50},
        {"no battery minutes at all", {{}, {}}, std::nullopt, std::nullopt},
        // A hand-made file may hold any mean: it saturates instead of overflowing.
        {"huge mean", {{10, 1, 10, 1}, {1e300, 1, 0, 1}}, 10, std::numeric_limits<std::int64_t>::max()},
    };
    for (const Case& c : cases) {
        DailySummary s;
        for (std::size_t i = 0; i < c.battery.size(); ++i) {
            s.hours.push_back(bucket(static_cast<std::int64_t>(i) + 1, 1, 1));
            s.hours.back().batteryPercent = c.battery[i];
        }
        EXPECT_EQ(s.batteryStartPercent(), c.start) << c.name;
        EXPECT_EQ(s.batteryEndPercent(), c.end) << c.name;
    }
}

TEST(DailySummary, ByteTotalsSumEveryBucket)
{
    DailySummary s;
    s.hours = {bucket(1, 1, 1), bucket(2, 1, 1)};
    s.hours[0].networkUpBytes = 1;
    s.hours[1].networkUpBytes = 2;
    s.hours[0].networkDownBytes = 30;
    s.hours[1].diskReadBytes = 400;
    s.hours[0].diskWriteBytes = 5000;
    s.hours[1].diskWriteBytes = 60000;
    EXPECT_EQ(s.totalNetworkUpBytes(), 3.0);
    EXPECT_EQ(s.totalNetworkDownBytes(), 30.0);
    EXPECT_EQ(s.totalDiskReadBytes(), 400.0);
    EXPECT_EQ(s.totalDiskWriteBytes(), 65000.0);
}

TEST(DailySummary, TopProcessesRankByAverageAndKeepFive)
{
    DailySummary s;
    auto add = [&s](const char* name, double sum, std::int64_t count) {
        s.processes[QString::fromLatin1(name)] = {QString::fromLatin1(name), sum, count, 0};
    };
    add("idle", 100, 0);      // never counted: average 0
    add("b", 10, 1);
    add("a", 30, 2);          // 15
    EXPECT_EQ(s.topProcesses().size(), 3u);
    EXPECT_EQ(s.topProcesses()[0].name, QStringLiteral("a"));
    EXPECT_EQ(s.topProcesses()[2].name, QStringLiteral("idle"));

    for (const char* name : {"c", "d", "e", "f", "g"})
        add(name, 1, 1);
    const auto top = s.topProcesses();
    ASSERT_EQ(top.size(), 5u);
    EXPECT_EQ(top[0].name, QStringLiteral("a"));
    EXPECT_EQ(top[1].name, QStringLiteral("b"));
    // Equal averages keep the map's order.
    EXPECT_EQ(top[2].name, QStringLiteral("c"));
    EXPECT_EQ(top[4].name, QStringLiteral("e"));
}

TEST(DailySummary, NetworksSortByTrafficAndKeepTies)
{
    DailySummary s;
    s.networkSSIDs[QStringLiteral("Cafe")] = {10, 10};
    s.networkSSIDs[QStringLiteral("Home")] = {100, 900};
    s.networkSSIDs[QStringLiteral("Office")] = {15, 5};
    const auto sorted = s.sortedNetworks();
    ASSERT_EQ(sorted.size(), 3u);
    EXPECT_EQ(sorted[0].name, QStringLiteral("Home"));
    EXPECT_EQ(sorted[1].name, QStringLiteral("Cafe"));
    EXPECT_EQ(sorted[2].name, QStringLiteral("Office"));
}

TEST(BucketStat, PeakMovesOnlyOnAStrictlyGreaterValue)
{
    BucketStat stat;
    stat.add(0, 10);
    stat.add(-5, 20);
    EXPECT_EQ(stat.peak, 0.0);
    EXPECT_EQ(stat.peakTime, -63114076800.0);
    stat.add(40, 30);
    stat.add(40, 40);
    stat.add(std::numeric_limits<double>::quiet_NaN(), 50);
    EXPECT_EQ(stat.peakTime, 30.0);
    EXPECT_EQ(stat.count, 5);
    EXPECT_EQ(stat.sum, 75.0);
    EXPECT_EQ(stat.average(), 15.0);
}

} // namespace
} // namespace Dunmorra
