#include "model/CPUProvider.h"
#include "model/WorkerPool.h"
#include "support/EventLoop.h"
#include "support/ManualClock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <memory>

using namespace Dunmorra;
using Platform::CoreTicks;
using Readings = std::optional<std::vector<CoreTicks>>;

namespace {

// Hands out queued readings, then repeats the last one.
struct FakeTicks {
    std::shared_ptr<std::deque<Readings>> queue = std::make_shared<std::deque<Readings>>();
    Readings last;
    void push(Readings r) { queue->push_back(std::move(r)); }
    CPUProvider::TickReader reader()
    {
        return [q = queue, last = std::make_shared<Readings>()] {
            if (!q->empty()) {
                *last = q->front();
                q->pop_front();
            }
            return *last;
        };
    }
};

Platform::ChipFacts noChip() { return {}; }

struct Rig {
    FakeTicks ticks;
    Dunmorra::Test::ManualClock clock;
    std::unique_ptr<CPUProvider> provider;
    explicit Rig(ProcessScanCache& cache = Dunmorra::Test::emptyScanCache())
    {
        provider = std::make_unique<CPUProvider>(ticks.reader(), noChip, &cache, clock);
    }
    ~Rig() { Dunmorra::Test::finishBackgroundJobs(); }
    void pass(Readings r)
    {
        ticks.push(std::move(r));
        clock.advance(1.0);
        provider->sample();
    }
};

CPUProvider::TickReader fixtureReader(std::vector<std::string> roots)
{
    auto index = std::make_shared<std::size_t>(0);
    return [roots, index] {
        const std::string& root = roots[std::min(*index, roots.size() - 1)];
        ++*index;
        return Platform::CpuTicksReader(std::string(HALVORIN_FIXTURES "/cpu/") + root).read();
    };
}

// Runs the event loop until done() holds. The deadline only stops a broken
// test from hanging.
template <typename F>
bool waitUntil(F done)
{
    QDeadlineTimer deadline(30'000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

} // namespace

TEST(CPUProvider, StartsWithThePlaceholderAndOnlyStoresTheBaseline)
{
    Dunmorra::Test::ManualClock clock;
    CPUProvider cpu(fixtureReader({"stat-a", "stat-b"}), noChip, &Dunmorra::Test::emptyScanCache(), clock);
    EXPECT_EQ(cpu.current(), CPUSnapshot::initial());
    EXPECT_EQ(cpu.menuBarUsagePercent(), 0.0);

    cpu.start(std::chrono::hours(1));
    EXPECT_TRUE(cpu.prevReady());
    EXPECT_EQ(cpu.current().usagePercent, 34.0);
    EXPECT_EQ(cpu.menuBarUsagePercent(), 34.0);
    EXPECT_EQ(cpu.usageHistory().values(), std::vector<double>{34.0});
    EXPECT_EQ(cpu.history().size(), 1);
    EXPECT_TRUE(cpu.loop().isRunning());

    clock.advance(1.0);
    cpu.sample();
    EXPECT_DOUBLE_EQ(cpu.current().usagePercent, 25.0);
    EXPECT_EQ(cpu.current().coreUsages, (std::vector<double>{50.0, 0.0}));
    EXPECT_EQ(cpu.usageHistory().values(), (std::vector<double>{34.0, 25.0}));
    EXPECT_EQ(cpu.usageHistory().at(1).date, clock.wallSeconds());
    Dunmorra::Test::finishBackgroundJobs();
}

TEST(CPUProvider, MenuBarValueFollowsEveryThirdPass)
{
    Rig rig;
    QSignalSpy changed(rig.provider.get(), &CPUProvider::menuBarUsagePercentChanged);
    rig.ticks.push(std::vector<CoreTicks>{{0, 0, 0}});
    rig.provider->start(std::chrono::hours(1));
    EXPECT_EQ(rig.provider->menuBarUsagePercent(), 34.0);
    EXPECT_FALSE(rig.provider->menuBarUsageMeasured()); // the placeholder, not a reading
    EXPECT_EQ(changed.count(), 1);

    // 10 busy of 100 ticks each second: 10 %.
    std::uint64_t busy = 0, idle = 0;
    for (int pass = 1; pass <= 6; ++pass) {
        busy += 10;
        idle += 90;
        rig.pass(std::vector<CoreTicks>{{0, busy, idle}});
        EXPECT_DOUBLE_EQ(rig.provider->current().usagePercent, 10.0);
        EXPECT_EQ(rig.provider->menuBarUsagePercent(), pass < 3 ? 34.0 : 10.0) << pass;
        EXPECT_EQ(rig.provider->menuBarUsageMeasured(), pass >= 3) << pass;
    }
    // Set at the start and at the third pass; the sixth wrote the same value.
    EXPECT_EQ(changed.count(), 2);
}

TEST(CPUProvider, TickDifferencesAsATableOfReadings)
{
    constexpr std::uint64_t big = 3'000'000'000ULL; // sums well above 2^31
    struct Case {
        const char* what;
        std::vector<CoreTicks> before, after;
        double total;                  // -1: kept at the previous total
        std::vector<double> cores;
    };
    const Case cases[] = {
        {"normal", {{0, 200, 800}, {1, 0, 1000}}, {{0, 300, 900}, {1, 0, 1200}}, 25.0, {50.0, 0.0}},
        {"no ticks elapsed", {{0, 200, 800}, {1, 5, 5}}, {{0, 200, 800}, {1, 5, 5}}, -1, {0.0, 0.0}},
        {"machine up for months", {{0, big, big}, {1, big, big}}, {{0, big + 50, big + 50}, {1, big + 100, big}}, 75.0, {50.0, 100.0}},
        {"a counter fell", {{0, 5'000'000'000ULL, 100}, {1, 0, 100}}, {{0, 10, 100}, {1, 10, 190}}, -1, {0.0, 10.0}},
        {"busy grew more than total", {{0, 100, 100}}, {{0, 200, 50}}, 100.0, {100.0}},
        {"busy fell", {{0, 100, 100}}, {{0, 90, 150}}, 0.0, {0.0}},
        // cpu1 went offline and cpu2 came online: never diffed against another core
        {"hot-plug", {{0, 0, 0}, {1, 500, 500}}, {{0, 50, 50}, {2, 9999, 1}}, 50.0, {50.0, 0.0}},
        {"a core appears", {{0, 0, 0}}, {{0, 30, 70}, {1, 900, 100}}, 30.0, {30.0, 0.0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        rig.pass(std::vector<CoreTicks>{{0, 0, 1}});
        rig.pass(std::vector<CoreTicks>{{0, 60, 41}}); // previous total: 60 %
        rig.pass(c.before);
        const double previous = rig.provider->current().usagePercent;
        rig.pass(c.after);
        EXPECT_DOUBLE_EQ(rig.provider->current().usagePercent, c.total < 0 ? previous : c.total);
        EXPECT_EQ(rig.provider->current().coreUsages, c.cores);
    }
}

TEST(CPUProvider, FailedReadingKeepsValuesAndBaselines)
{
    Rig rig;
    rig.pass(std::vector<CoreTicks>{{0, 0, 0}});
    rig.pass(std::vector<CoreTicks>{{0, 20, 80}});
    QSignalSpy current(rig.provider.get(), &CPUProvider::currentChanged);
    rig.pass(std::nullopt);
    EXPECT_DOUBLE_EQ(rig.provider->current().usagePercent, 20.0);
    EXPECT_EQ(rig.provider->current().coreUsages, std::vector<double>{20.0});
    EXPECT_EQ(current.count(), 1); // republished all the same
    EXPECT_EQ(rig.provider->usageHistory().size(), 3);
    // The next good reading is measured against the last good one.
    rig.pass(std::vector<CoreTicks>{{0, 60, 140}});
    EXPECT_DOUBLE_EQ(rig.provider->current().usagePercent, 40.0);
}

TEST(CPUProvider, PausedLoopSkipsPassesUntilResumed)
{
    Rig rig;
    rig.ticks.push(std::vector<CoreTicks>{{0, 0, 0}});
    rig.provider->setPaused(true);
    rig.provider->start(std::chrono::milliseconds(1));
    EXPECT_EQ(rig.provider->usageHistory().size(), 1); // the start's own pass still runs
    // Thirty intervals, each one a pass that must not sample.
    ASSERT_TRUE(Dunmorra::Test::waitIntervals(std::chrono::milliseconds(1), 30));
    EXPECT_EQ(rig.provider->usageHistory().size(), 1);
    rig.provider->setPaused(false);
    EXPECT_TRUE(waitUntil([&] { return rig.provider->usageHistory().size() > 1; }));
}

TEST(CPUProvider, ChipInfoComesFromThePlatformReader)
{
    const ChipInfo chip = CPUProvider::readChipInfo([] {
        return Platform::ChipFacts{"Hybrid Test CPU", 6, 2, 4};
    });
    EXPECT_EQ(chip, (ChipInfo{QStringLiteral("Hybrid Test CPU"), 6, 2, 4}));
    EXPECT_EQ(chip.coreSummary(), QStringLiteral("4E + 2P"));
    EXPECT_EQ(ChipInfo::coreSummary(8, 8, 0), QStringLiteral("8"));
    EXPECT_EQ(ChipInfo::coreSummary(12, 8, 4), QStringLiteral("4E + 8P"));
}

namespace {

ProcessEntry entry(std::int32_t pid, std::uint64_t userNs, std::uint64_t sysNs = 0, std::uint64_t start = 1)
{
    return ProcessEntry{pid, QStringLiteral("p%1").arg(pid), QString(), 1000u * pid, userNs, sysNs, start};
}

std::vector<std::pair<int, double>> shares(const QList<CPUSnapshot::ProcessInfo>& rows)
{
    std::vector<std::pair<int, double>> out;
    for (const auto& r : rows)
        out.emplace_back(r.id, r.cpuPercent);
    return out;
}

} // namespace

TEST(CPUProvider, ProcessSharesAsATable)
{
    constexpr std::uint64_t s = 1'000'000'000ULL; // one second in nanoseconds
    struct Case {
        const char* what;
        QList<ProcessEntry> before, after;
        double elapsed;
        std::vector<std::pair<int, double>> expected;
    };
    QList<ProcessEntry> nineBefore, nineAfter;
    for (int pid = 1; pid <= 9; ++pid) {
        nineBefore.push_back(entry(pid, 0));
        // pids 4 and 5 tie; pid 9 is the smallest share and drops out
        const int tenths = pid == 5 ? 4 : pid;
        nineAfter.push_back(entry(pid, static_cast<std::uint64_t>(10 - tenths) * s / 10));
    }
    const Case cases[] = {
        {"1,500 % is capped", {entry(7, 0)}, {entry(7, 45 * s)}, 3.0, {{7, 999.0}}},
        {"user and system both count", {entry(7, s, s)}, {entry(7, 2 * s, 3 * s)}, 3.0, {{7, 100.0}}},
        {"0.04 % is left out, 0.06 % kept", {entry(7, 0), entry(8, 0)},
         {entry(7, 400'000), entry(8, 600'000)}, 1.0, {{8, 0.06}}},
        {"nine busy: the eight highest, ties in scan order", nineBefore, nineAfter, 1.0,
         {{1, 90.0}, {2, 80.0}, {3, 70.0}, {4, 60.0}, {5, 60.0}, {6, 40.0}, {7, 30.0}, {8, 20.0}}},
        {"scans 0.05 s apart list nothing", {entry(7, 0)}, {entry(7, s)}, 0.05, {}},
        {"the same scan served twice lists nothing", {entry(7, s)}, {entry(7, s)}, 0.0, {}},
        {"a reused id is another process", {entry(7, 0, 0, 100)}, {entry(7, 2 * s, 0, 900)}, 3.0, {}},
        {"a time that went down counts 0", {entry(7, 5 * s, 0)}, {entry(7, s, 3 * s / 10)}, 3.0, {{7, 10.0}}},
        {"first seen: no row yet", {}, {entry(7, s)}, 3.0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CPUProvider::ProcessTicks first, second;
        CPUProvider::topProcesses({c.before, 100.0}, {}, first);
        const auto rows = CPUProvider::topProcesses({c.after, 100.0 + c.elapsed}, first, second);
        const auto got = shares(rows);
        ASSERT_EQ(got.size(), c.expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].first, c.expected[i].first);
            EXPECT_NEAR(got[i].second, c.expected[i].second, 1e-9);
        }
        // The new map holds every scanned process, stamped with the scan's time.
        ASSERT_EQ(second.size(), c.after.size());
        for (const auto& e : c.after)
            EXPECT_EQ(second.value(e.pid).time, 100.0 + c.elapsed);
    }
}

namespace {

// A provider over the process-table fixtures: the first scan reads
// processes/first, every later one processes/second.
struct ScanRig {
    Dunmorra::Test::ManualClock clock;
    std::shared_ptr<int> walks = std::make_shared<int>(0);
    ProcessScanCache cache{[w = walks, first = ProcessScanCache::procfsWalk(HALVORIN_FIXTURES "/processes/first", 100, 4096),
                            second = ProcessScanCache::procfsWalk(HALVORIN_FIXTURES "/processes/second", 100, 4096)] {
                               return (*w)++ == 0 ? first() : second();
                           },
                           clock};
    std::uint64_t busy = 0;
    std::unique_ptr<CPUProvider> provider = std::make_unique<CPUProvider>(
        [this] {
            busy += 10;
            return Readings{std::vector<CoreTicks>{{0, busy, 100 * busy / 10 - busy}}};
        },
        noChip, &cache, clock);

    ~ScanRig() { Dunmorra::Test::finishBackgroundJobs(); }
    void pass()
    {
        clock.advance(1.0);
        provider->sample();
    }
};

} // namespace

TEST(CPUProvider, ProcessPassEveryThirdPassFromTheSharedScan)
{
    ScanRig rig;
    rig.provider->start(std::chrono::hours(1)); // 1st pass
    rig.pass();
    EXPECT_FALSE(rig.provider->isScanning());
    rig.pass(); // 3rd: launches the first scan
    EXPECT_TRUE(rig.provider->isScanning());
    Dunmorra::Test::finishBackgroundJobs();
    EXPECT_FALSE(rig.provider->isScanning());
    // No earlier ticks: the placeholder rows give way to an empty list.
    EXPECT_TRUE(rig.provider->current().topProcesses.isEmpty());
    EXPECT_EQ(rig.provider->prevProcTicks().size(), 9);

    rig.pass();
    rig.pass();
    rig.pass(); // 6th: second scan, 3 s after the first
    samplingPool().waitForDone();
    rig.pass(); // a newer sample arrives before the hand-back
    const double newest = rig.provider->current().usagePercent;
    QCoreApplication::processEvents();

    const auto& rows = rig.provider->current().topProcesses;
    ASSERT_EQ(rows.size(), 2);
    // systemd used 1 s in 3 s; 42 is a new process on an old id, 77 exited,
    // 200 is new, 120 used nothing.
    EXPECT_EQ(rows[0].id, 1);
    EXPECT_EQ(rows[0].name, QStringLiteral("systemd"));
    EXPECT_EQ(rows[0].executablePath, QStringLiteral("/usr/lib/systemd/systemd"));
    EXPECT_EQ(rows[0].memoryBytes, 3000u * 4096u);
    EXPECT_NEAR(rows[0].cpuPercent, 100.0 / 3.0, 1e-9);
    EXPECT_EQ(rows[1].name, QStringLiteral("python-long-name-script"));
    EXPECT_NEAR(rows[1].cpuPercent, 2.0 / 3.0, 1e-9);
    // The hand-back keeps the loads it finds, not those of the launching pass.
    EXPECT_EQ(rig.provider->current().usagePercent, newest);
}

TEST(CPUProvider, OneProcessPassAtATime)
{
    ScanRig rig;
    rig.provider->start(std::chrono::hours(1));
    rig.pass();
    rig.pass(); // launches
    samplingPool().waitForDone();
    for (int i = 0; i < 4; ++i)
        rig.pass(); // the hand-back has not run: no second launch
    EXPECT_EQ(rig.cache.scanCount(), 1);
    QCoreApplication::processEvents();
    rig.pass(); // the count kept rising, so this pass launches at once
    EXPECT_TRUE(rig.provider->isScanning());
    Dunmorra::Test::finishBackgroundJobs();
    EXPECT_EQ(rig.cache.scanCount(), 2);
}

TEST(CPUProvider, ScanResultForAGoneProviderIsDropped)
{
    ScanRig rig;
    rig.provider->start(std::chrono::hours(1));
    rig.pass();
    rig.pass();
    samplingPool().waitForDone();
    rig.provider.reset();
    QCoreApplication::processEvents(); // must not touch the deleted provider
    SUCCEED();
}
