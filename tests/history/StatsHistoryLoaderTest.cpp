#include "history/StatsHistoryLoader.h"

#include "ScopedTimeZone.h"
#include "history/DayFile.h"
#include "history/HistoryRecorder.h"
#include "support/EventLoop.h"
#include "support/ManualClock.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>


namespace Dunmorra {
namespace {

class StatsHistoryLoaderTest : public ::testing::Test {
protected:
    StatsHistoryLoaderTest()
    {
        // One file in the last week, one only in the last quarter.
        for (int back : {3, 40}) {
            DailySummary s = DailySummary::emptyFor(today.addDays(-back));
            EXPECT_FALSE(DayFile::write(DayFile::path(today.addDays(-back), dir), s));
        }
    }

    std::size_t rowsOf(const QSignalSpy& spy, int i) const
    {
        return spy.at(i).at(0).value<StatsHistory>().stats.size();
    }

    Dunmorra::Test::ScopedTimeZone zone{"Europe/Berlin"};
    QTemporaryDir tmp;
    QString dir = tmp.filePath(QStringLiteral("history"));
    QDate today{2026, 3, 10};
    Dunmorra::Test::ManualClock clock{static_cast<double>(QDateTime(today, QTime(15, 0)).toSecsSinceEpoch())};
    HistoryRecorder recorder{clock, dir, [] { return std::optional<std::int64_t>(0); }};
};

TEST_F(StatsHistoryLoaderTest, NewestRangeWinsWhicheverFinishesFirst)
{
    StatsHistoryLoader loader(recorder, clock);
    QSignalSpy loaded(&loader, &StatsHistoryLoader::loaded);
    QSignalSpy loading(&loader, &StatsHistoryLoader::loadingChanged);

    loader.load(StatsRange::quarter);
    loader.load(StatsRange::week);
    EXPECT_TRUE(loader.isLoading());
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return !loader.isLoading(); }));
    Dunmorra::Test::finishBackgroundJobs();

    // The quarter's result came back too, and was dropped.
    ASSERT_EQ(loaded.count(), 1);
    EXPECT_EQ(rowsOf(loaded, 0), 2u);
    EXPECT_EQ(loading.count(), 2);

    loader.load(StatsRange::quarter);
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return !loader.isLoading(); }));
    ASSERT_EQ(loaded.count(), 2);
    EXPECT_EQ(rowsOf(loaded, 1), 3u);
}

TEST_F(StatsHistoryLoaderTest, TodayIsTheRecorderAsOfTheLoad)
{
    StatsHistoryLoader loader(recorder, clock);
    QSignalSpy loaded(&loader, &StatsHistoryLoader::loaded);
    CPUSnapshot cpu;
    cpu.usagePercent = 42;
    recorder.record(cpu, MemorySnapshot{}, std::nullopt, NetworkSnapshot{}, DiskSnapshot{});
    loader.load(StatsRange::week);
    // A later minute is not in this load.
    cpu.usagePercent = 90;
    recorder.record(cpu, MemorySnapshot{}, std::nullopt, NetworkSnapshot{}, DiskSnapshot{});
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return !loader.isLoading(); }));
    ASSERT_EQ(loaded.count(), 1);
    const StatsHistory history = loaded.at(0).at(0).value<StatsHistory>();
    EXPECT_EQ(history.stats.back().date, today);
    EXPECT_DOUBLE_EQ(history.stats.back().peakCPU, 42);
}

} // namespace
} // namespace Dunmorra
