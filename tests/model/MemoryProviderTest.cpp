#include "model/MemoryProvider.h"

#include "model/ProcessScanCache.h"
#include "support/EventLoop.h"
#include "support/ManualClock.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace Dunmorra;
namespace support = Dunmorra::Test;
using Pressure = MemorySnapshot::MemoryPressure;

namespace {

constexpr std::uint64_t KiB = 1024;

MemoryProvider::Reader fixtureReader(const char* name)
{
    return MemoryProvider::procReader(support::fixturePath(QStringLiteral("memory/%1").arg(name)).toStdString());
}

ProcessEntry process(int pid, std::uint64_t bytes)
{
    return ProcessEntry{pid, QStringLiteral("p%1").arg(pid), {}, bytes, 0, 0, 1};
}

} // namespace

TEST(MemoryProvider, MapsKernelCountersOntoUsedAppWiredCompressed)
{
    struct Case {
        const char* fixture;
        std::uint64_t total, used, app, wired, compressed, swapUsed, swapTotal;
        Pressure pressure;
    };
    const Case cases[] = {
        // wired = SUnreclaim + KernelStack + PageTables + Percpu; compressed = Zswap + zram mem_used_total
        {"zswap", 16777216 * KiB, 12582912 * KiB, 11894784 * KiB, 294912 * KiB, 393216 * KiB,
         262144 * KiB, 8388608 * KiB, Pressure::warning},
        {"nozswap", 8000000 * KiB, 2000000 * KiB, 1870000 * KiB, 130000 * KiB, 0, 0, 0, Pressure::nominal},
        // wired alone exceeds physical memory: app clamps at 0, used at total, swap used at 0
        {"skewed", 1000000 * KiB, 1000000 * KiB, 0, 1503000 * KiB, 0, 0, 100000 * KiB, Pressure::critical},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        support::ManualClock clock;
        MemoryProvider provider(fixtureReader(c.fixture), nullptr, clock);
        provider.sample();
        const auto& s = provider.current();
        EXPECT_EQ(s.totalBytes, c.total);
        EXPECT_EQ(s.usedBytes, c.used);
        EXPECT_EQ(s.appBytes, c.app);
        EXPECT_EQ(s.wiredBytes, c.wired);
        EXPECT_EQ(s.compressedBytes, c.compressed);
        EXPECT_EQ(s.swapUsedBytes, c.swapUsed);
        EXPECT_EQ(s.swapTotalBytes, c.swapTotal);
        EXPECT_EQ(s.pressure, c.pressure);
        EXPECT_LE(s.usedBytes, s.totalBytes);
        ASSERT_EQ(provider.usageHistory().size(), 1);
        EXPECT_DOUBLE_EQ(provider.usageHistory().at(0).value, 100.0 * double(c.used) / double(c.total));
    }
}

TEST(MemoryProvider, WithoutMemAvailableEstimatesItFromFreeAndCaches)
{
    Platform::VmStats s;
    s.memTotal = 1000;
    s.memFree = 300;
    s.buffers = 50;
    s.cached = 200;
    s.sReclaimable = 50;
    s.shmem = 100; // available = 300 + 50 + 200 + 50 - 100 = 500
    const auto snap = MemoryProvider::snapshotFrom(s, {});
    EXPECT_EQ(snap.usedBytes, 500u);
    EXPECT_EQ(snap.appBytes, 500u);
}

TEST(MemoryProvider, PressureFollowsTheUsedRatio)
{
    struct Case { std::uint64_t used, total; Pressure expected; };
    const Case cases[] = {
        {740, 1000, Pressure::nominal}, {750, 1000, Pressure::warning}, {899, 1000, Pressure::warning},
        {900, 1000, Pressure::critical}, {1000, 1000, Pressure::critical}, {5, 0, Pressure::nominal},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MemoryProvider::pressureFor(c.used, c.total), c.expected) << c.used << "/" << c.total;
}

TEST(MemoryProvider, FailedReadingsChangeNothingAndDoNotCountTowardsTheScan)
{
    bool readable = false;
    auto real = fixtureReader("nozswap");
    int walks = 0;
    support::ManualClock clock;
    ProcessScanCache cache([&] { ++walks; return QList<ProcessEntry>{}; }, clock);
    MemoryProvider provider([&]() -> std::optional<Platform::VmStats> {
        return readable ? real() : std::nullopt;
    }, &cache, clock);

    provider.sample();
    provider.sample();
    EXPECT_EQ(provider.current(), MemorySnapshot::initial());
    EXPECT_TRUE(provider.history().isEmpty());
    EXPECT_TRUE(provider.usageHistory().isEmpty());
    EXPECT_EQ(provider.pollsSinceLastScan(), 0);

    readable = true;
    provider.sample();
    provider.sample();
    EXPECT_FALSE(provider.isScanning());
    provider.sample(); // third success
    EXPECT_TRUE(provider.isScanning());
    EXPECT_EQ(provider.pollsSinceLastScan(), 0);
    ASSERT_TRUE(support::settle([&] { return !provider.isScanning(); }));
    EXPECT_EQ(walks, 1);
    EXPECT_EQ(provider.history().size(), 3);
}

TEST(MemoryProvider, ListsTheTenLargestProcessesAboveOneMebibyte)
{
    QList<ProcessEntry> entries;
    entries.push_back(process(1, 1'048'576));      // exactly 1 MiB: not listed
    entries.push_back(process(2, 1'048'577));      // one byte more: listed
    for (int i = 0; i < 12; ++i)
        entries.push_back(process(100 + i, 2'000'000 + std::uint64_t(i % 6) * 1'000'000));

    const auto top = MemoryProvider::topByResidentSize(entries);
    ASSERT_EQ(top.size(), 10);
    // sizes 7e6 (pids 105, 111), 6e6 (104, 110), ...: largest first, ties in scan order
    EXPECT_EQ(top[0].id, 105);
    EXPECT_EQ(top[1].id, 111);
    EXPECT_EQ(top[2].id, 104);
    EXPECT_EQ(top[0].memoryBytes, 7'000'000u);
    EXPECT_EQ(top[9].memoryBytes, 3'000'000u);

    entries.resize(3);
    const auto few = MemoryProvider::topByResidentSize(entries);
    ASSERT_EQ(few.size(), 2);
    EXPECT_EQ(few[1].id, 2);
}

TEST(MemoryProvider, ProcessListArrivesOffThreadAndSurvivesLaterPasses)
{
    support::ManualClock clock;
    ProcessScanCache cache([] { return QList<ProcessEntry>{process(7, 50'000'000), process(8, 9'000'000)}; }, clock);
    MemoryProvider provider(fixtureReader("zswap"), &cache, clock);

    provider.start(std::chrono::hours(1)); // the start's own pass counts
    EXPECT_EQ(provider.history().size(), 1);
    provider.sample();
    provider.sample();
    ASSERT_TRUE(support::settle([&] { return !provider.isScanning(); }));
    ASSERT_EQ(provider.current().topProcesses.size(), 2);
    EXPECT_EQ(provider.current().topProcesses[0].id, 7);

    provider.sample();
    provider.sample();
    EXPECT_EQ(provider.current().topProcesses.size(), 2);
    EXPECT_EQ(provider.history().size(), 5);
}

TEST(MemoryProvider, ProviderGoneBeforeTheScanFinishesDropsTheList)
{
    support::ManualClock clock;
    std::atomic<bool> release{false};
    ProcessScanCache cache([&] {
        while (!release)
            std::this_thread::yield();
        return QList<ProcessEntry>{process(7, 50'000'000)};
    }, clock);
    auto* provider = new MemoryProvider(fixtureReader("zswap"), &cache, clock);
    for (int i = 0; i < 3; ++i)
        provider->sample();
    delete provider;
    release = true;
    EXPECT_TRUE(support::settle());
}

TEST(MemoryProvider, SmokeOnThisMachine)
{
    MemoryProvider provider(MemoryProvider::procReader("/"));
    provider.sample();
    const auto& s = provider.current();
    ASSERT_EQ(provider.history().size(), 1);
    EXPECT_GT(s.totalBytes, 64u * 1024 * 1024);
    EXPECT_GT(s.usedBytes, 0u);
    EXPECT_LE(s.usedBytes, s.totalBytes);
    EXPECT_LE(s.swapUsedBytes, s.swapTotalBytes);
}
