#include "history/HistoricalDataStore.h"

#include "HistoryTestData.h"
#include "ScopedTimeZone.h"
#include "history/HistoryRecorder.h"
#include "support/EventLoop.h"
#include "support/ManualClock.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace Dunmorra {
namespace {

class HistoricalDataStoreTest : public ::testing::Test {
protected:
    QString fileOf(QDate d) const { return DayFile::path(d, dir); }
    void writeDay(QDate d, const DailySummary& s) { ASSERT_FALSE(DayFile::write(fileOf(d), s)); }

    Dunmorra::Test::ScopedTimeZone zone{"Europe/Madrid"};
    QTemporaryDir tmp;
    QString dir = tmp.filePath(QStringLiteral("history"));
    QDate day{2026, 12, 9};
    DailySummary sample = Dunmorra::Test::sampleDay();
};

TEST_F(HistoricalDataStoreTest, AnyInstantOfADayReadsTheFileOnceAndKeepsIt)
{
    writeDay(day, sample);
    HistoricalDataStore store(dir);
    QSignalSpy changed(&store, &HistoricalDataStore::cacheChanged);

    EXPECT_EQ(store.summary(QDateTime(day, QTime(9, 0))), sample);
    EXPECT_EQ(changed.count(), 1);
    // Rewritten, then removed: the first reading stands.
    writeDay(day, DailySummary::emptyFor(day));
    EXPECT_EQ(store.summary(QDateTime(day, QTime(23, 59))), sample);
    QFile::remove(fileOf(day));
    EXPECT_EQ(store.summary(day), sample);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(store.cache().size(), 1u);
}

TEST_F(HistoricalDataStoreTest, MissingOrUndecodableDayIsNotKeptAndIsTriedAgain)
{
    HistoricalDataStore store(dir);
    EXPECT_FALSE(store.summary(day));
    EXPECT_TRUE(store.cache().empty());

    QDir().mkpath(dir);
    ASSERT_TRUE(QFile::copy(Dunmorra::Test::fixturePath(QStringLiteral("history/bad/missing-key.json")), fileOf(day)));
    EXPECT_FALSE(store.summary(day));
    EXPECT_FALSE(store.summary(day));
    EXPECT_TRUE(store.cache().empty());

    QFile::remove(fileOf(day));
    writeDay(day, sample);
    EXPECT_EQ(store.summary(day), sample);
}

TEST_F(HistoricalDataStoreTest, RecorderWritesReplaceAHeldDayOnly)
{
    // A minute after midnight the recorder has not yet saved yesterday's last
    // minutes; the store reads the file as it stands.
    Dunmorra::Test::ManualClock clock(static_cast<double>(QDateTime(day, QTime(23, 50, 30)).toSecsSinceEpoch()));
    HistoryRecorder recorder(clock, dir, [] { return std::optional<std::int64_t>(0); });
    HistoricalDataStore store(dir);
    store.follow(recorder);
    const CPUSnapshot cpu;
    const MemorySnapshot memory;
    const NetworkSnapshot network;
    const DiskSnapshot disk;
    auto step = [&] {
        recorder.record(cpu, memory, std::nullopt, network, disk);
        clock.advance(60);
    };
    for (int i = 0; i < 10; ++i)
        step();  // 23:50:30 … 23:59:30, saved at the tenth
    clock.advance(-60 * 9);
    // Set back by nine minutes: the day now has more minutes than its file.
    for (int i = 0; i < 9; ++i)
        step();
    const auto incomplete = store.summary(day);
    ASSERT_TRUE(incomplete);
    EXPECT_EQ(incomplete->recordedMinutes(), 10);

    QSignalSpy changed(&store, &HistoricalDataStore::cacheChanged);
    clock.setWall(static_cast<double>(QDateTime(day.addDays(1), QTime(0, 0, 30)).toSecsSinceEpoch()));
    step();  // the day changes: yesterday is saved whole
    EXPECT_EQ(store.summary(day)->recordedMinutes(), 19);
    EXPECT_EQ(changed.count(), 1);

    // A day the store never read is not added by the recorder's writes.
    for (int i = 0; i < 9; ++i)
        step();
    EXPECT_EQ(store.cache().count(day.addDays(1)), 0u);
    EXPECT_EQ(store.summary(day.addDays(1))->recordedMinutes(), 10);
}

TEST_F(HistoricalDataStoreTest, ARequestedDayIsReadInTheBackgroundOnceAndAnsweredOnThisThread)
{
    writeDay(day, sample);
    HistoricalDataStore store(dir);
    QSignalSpy loaded(&store, &HistoricalDataStore::dayLoaded);
    QSignalSpy unavailable(&store, &HistoricalDataStore::dayUnavailable);
    EXPECT_TRUE(store.hasFile(day));
    EXPECT_FALSE(store.hasFile(day.addDays(-1)));

    store.request(day);
    store.request(day);   // already being read: one reading
    EXPECT_TRUE(store.isReading(day));
    EXPECT_EQ(store.held(day), nullptr);
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return !store.isReading(day); }));
    ASSERT_EQ(loaded.count(), 1);
    EXPECT_EQ(loaded.at(0).at(0).toDate(), day);
    ASSERT_TRUE(store.held(day));
    EXPECT_EQ(*store.held(day), sample);
    store.request(day);   // held: nothing to read, nothing to say
    EXPECT_FALSE(store.isReading(day));

    // Missing, then undecodable: no data, kept nowhere, asked again each time.
    const QDate other = day.addDays(-1);
    for (const char* fixture : {static_cast<const char*>(nullptr), "history/bad/truncated.json"}) {
        if (fixture) {
            ASSERT_TRUE(QFile::copy(Dunmorra::Test::fixturePath(QLatin1String(fixture)), fileOf(other)));
        }
        store.request(other);
        ASSERT_TRUE(Dunmorra::Test::settle([&] { return !store.isReading(other); }));
        EXPECT_EQ(store.held(other), nullptr);
    }
    EXPECT_EQ(unavailable.count(), 2);
    EXPECT_EQ(loaded.count(), 1);
}

TEST_F(HistoricalDataStoreTest, ARecorderWriteDuringTheReadIsTheCopyKept)
{
    writeDay(day, sample);
    HistoricalDataStore store(dir);
    QSignalSpy loaded(&store, &HistoricalDataStore::dayLoaded);
    store.request(day);
    const DailySummary newer = DailySummary::emptyFor(day);
    store.dayWritten(day, newer);   // arrives before the read's answer
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return !store.isReading(day); }));
    EXPECT_EQ(loaded.count(), 1);
    ASSERT_TRUE(store.held(day));
    EXPECT_EQ(*store.held(day), newer);
}

} // namespace
} // namespace Dunmorra
