#include "model/ProcessScanCache.h"

#include "support/ManualClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

using namespace Dunmorra;
namespace support = Dunmorra::Test;

namespace {

// A walk that counts its runs and lists one process per run, named after the
// run, so a test can tell a fresh list from a reused one.
struct CountingWalk {
    int runs = 0;
    double takesSeconds = 0; // how long each walk keeps the clock running
    support::ManualClock* clock = nullptr;

    ProcessScanCache::Walk walk()
    {
        return [this] {
            ++runs;
            clock->advance(takesSeconds);
            return QList<ProcessEntry>{ProcessEntry{runs, QStringLiteral("run%1").arg(runs), {}, 0, 0, 0, 1}};
        };
    }
};

} // namespace

TEST(ProcessScanCache, ReusesAScanForJustUnderTwoSecondsAfterItFinished)
{
    support::ManualClock clock;
    CountingWalk walk{0, 0.5, &clock};
    ProcessScanCache cache(walk.walk(), clock);

    // The first request always walks, and the scan carries its own finishing
    // time on the 2001 reference, not the time of a later request.
    const ProcessScanCache::Scan first = cache.entries();
    EXPECT_EQ(walk.runs, 1);
    const double finished = clock.wallSeconds() - kReferenceDateOffset;
    EXPECT_DOUBLE_EQ(first.time, finished);

    // Measured from the end of the walk: 1.9 s after it (2.4 s after it began)
    // the list is reused, time stamp included.
    clock.advance(1.9);
    const ProcessScanCache::Scan reused = cache.entries();
    EXPECT_EQ(walk.runs, 1);
    ASSERT_EQ(reused.entries.size(), 1);
    EXPECT_EQ(reused.entries[0].name, QStringLiteral("run1"));
    EXPECT_DOUBLE_EQ(reused.time, finished);

    clock.advance(0.1);
    const ProcessScanCache::Scan fresh = cache.entries();
    EXPECT_EQ(walk.runs, 2);
    ASSERT_EQ(fresh.entries.size(), 1);
    EXPECT_EQ(fresh.entries[0].name, QStringLiteral("run2"));
    EXPECT_GT(fresh.time, finished);
}

TEST(ProcessScanCache, WallClockSetBackDoesNotFreezeTheList)
{
    support::ManualClock clock;
    CountingWalk walk{0, 0, &clock};
    ProcessScanCache cache(walk.walk(), clock);
    cache.entries();

    clock.setWall(clock.wallSeconds() - 3600);
    clock.advance(2.0);
    EXPECT_EQ(cache.entries().entries[0].name, QStringLiteral("run2"));
    EXPECT_EQ(walk.runs, 2);
}

TEST(ProcessScanCache, AnEmptyTableIsCachedLikeAnyOther)
{
    support::ManualClock clock;
    int runs = 0;
    ProcessScanCache cache([&] { ++runs; return QList<ProcessEntry>{}; }, clock);

    EXPECT_TRUE(cache.entries().entries.isEmpty());
    clock.advance(1.0);
    EXPECT_TRUE(cache.entries().entries.isEmpty());
    EXPECT_EQ(runs, 1);
}

// The CPU and memory providers ask from pool threads at the same time. A
// request that arrives while a walk runs waits for it and gets its list: two
// walks never run at once, and the table is walked once.
TEST(ProcessScanCache, ARequestDuringAWalkWaitsAndSharesIt)
{
    support::ManualClock clock;
    std::mutex mutex;
    std::condition_variable changed;
    bool release = false;
    int walking = 0;
    int mostAtOnce = 0;
    int runs = 0;
    ProcessScanCache cache(
        [&] {
            std::unique_lock lock(mutex);
            ++runs;
            mostAtOnce = std::max(mostAtOnce, ++walking);
            changed.notify_all();
            changed.wait(lock, [&] { return release; });
            --walking;
            return QList<ProcessEntry>{ProcessEntry{runs, QStringLiteral("run%1").arg(runs), {}, 0, 0, 0, 1}};
        },
        clock);

    ProcessScanCache::Scan first, second;
    std::thread a([&] { first = cache.entries(); });
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return walking == 1; });
    }
    std::thread b([&] { second = cache.entries(); });
    // Time for the second request to reach the cache; a second walk would
    // start within it, a waiting request shows nothing.
    {
        std::unique_lock lock(mutex);
        changed.wait_for(lock, std::chrono::milliseconds(200), [&] { return runs > 1; });
        release = true;
    }
    changed.notify_all();
    a.join();
    b.join();

    EXPECT_EQ(mostAtOnce, 1);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(cache.scanCount(), 1);
    ASSERT_EQ(second.entries.size(), 1);
    EXPECT_EQ(second.entries[0].name, QStringLiteral("run1"));
    EXPECT_DOUBLE_EQ(second.time, first.time);
}
