#include "history/HistoryRecorder.h"

#include "HistoryTestData.h"
#include "ScopedFileSizeLimit.h"
#include "ScopedTimeZone.h"
#include "history/AlertsMonitor.h"
#include "model/BatteryProvider.h"
#include "model/CPUProvider.h"
#include "model/DiskProvider.h"
#include "model/MemoryProvider.h"
#include "model/NetworkProvider.h"
#include "support/EventLoop.h"
#include "support/ManualClock.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace Dunmorra {
namespace {

using Dunmorra::Test::fixturePath;

constexpr double kGiB = 1024.0 * 1024.0 * 1024.0;

double unixAt(QDate day, int hour, int minute, int second = 30)
{
    return static_cast<double>(QDateTime(day, QTime(hour, minute, second)).toSecsSinceEpoch());
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class HistoryRecorderTest : public ::testing::Test {
protected:
    HistoryRecorderTest()
    {
        cpu.usagePercent = 25;
        cpu.topProcesses = {{1, QStringLiteral("Finder"), {}, 2.5, 100 * 1024 * 1024},
                            {2, QStringLiteral("kworker"), {}, 0.5, 0}};
        memory.usedBytes = 8ull << 30;
        battery = BatterySnapshot{};
        battery->percent = 80;
        battery->healthPercent = 92;
        network.ssid = QStringLiteral("Home");
        network.interfaceName = NetworkLabels::wifi;
        disk.volumeTotalBytes = 994662584320;
        disk.volumeUsedBytes = 512000000000;
        disk.volumeFreeBytes = 482662584320;
    }

    std::unique_ptr<HistoryRecorder> makeRecorder()
    {
        auto recorder = std::make_unique<HistoryRecorder>(clock, dir, [this] { return bootTime; });
        recorder->countFrom(counters);
        return recorder;
    }
    // One step at the clock's time, after a minute in which the counters
    // moved by the steps below; then a minute passes.
    void step(HistoryRecorder& recorder, int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            grow(counters.disk, "nvme0n1", readStep, writeStep);
            grow(counters.network, "wlan0", downStep, upStep);
            recorder.record(cpu, memory, battery, network, disk, counters);
            clock.advance(60);
        }
    }
    static void grow(DeviceCounters& counters, const std::string& device, std::uint64_t in, std::uint64_t out)
    {
        const auto it = counters.devices().find(device);
        const ByteCounts now = it == counters.devices().end() ? ByteCounts{} : it->second;
        counters.set(device, ByteCounts{now.in + in, now.out + out});
    }
    QString fileOf(QDate day) const { return DayFile::path(day, dir); }

    Dunmorra::Test::ScopedTimeZone zone{"Europe/Madrid"};
    QTemporaryDir tmp;
    QString dir = tmp.filePath(QStringLiteral("Halvorin/history"));
    QDate day{2026, 12, 9};
    Dunmorra::Test::ManualClock clock{unixAt(day, 0, 0)};
    std::optional<std::int64_t> bootTime = static_cast<std::int64_t>(unixAt(day, 0, 0, 0)) - (2 * 86400 + 5 * 3600 + 17 * 60);

    CPUSnapshot cpu;
    MemorySnapshot memory;
    std::optional<BatterySnapshot> battery;
    NetworkSnapshot network;
    DiskSnapshot disk;
    // Far from zero, so a whole counter taken as one minute's bytes would show.
    HistoryRecorder::Counters counters{
        [] { DeviceCounters c; c.set("nvme0n1", {7'000'000'000, 3'000'000'000}); return c; }(),
        [] { DeviceCounters c; c.set("wlan0", {9'000'000'000, 1'000'000'000}); return c; }(),
    };
    std::uint64_t readStep = 2048 * 60, writeStep = 512 * 60, upStep = 60'000, downStep = 240'000;
};

TEST_F(HistoryRecorderTest, SimulatedDayAddsUpExactlyAndMidnightSavesItWhole)
{
    auto recorder = makeRecorder();
    EXPECT_EQ(recorder->current(), DailySummary::emptyFor(day));
    step(*recorder, 1440);  // 00:00:30 to 23:59:30

    const DailySummary& s = recorder->current();
    ASSERT_EQ(s.hours.size(), 24u);
    for (int h = 0; h < 24; ++h) {
        const HourBucket& b = s.hours[h];
        EXPECT_EQ(b.hour, h);
        EXPECT_EQ(b.cpu, (BucketStat{1500, 60, 25, referenceFromUnix(unixAt(day, h, 0))})) << h;
        EXPECT_EQ(b.memoryGB, (BucketStat{480, 60, 8, referenceFromUnix(unixAt(day, h, 0))})) << h;
        EXPECT_EQ(b.batteryPercent.sum, 4800);
        EXPECT_EQ(b.networkUpBytes, 3'600'000);
        EXPECT_EQ(b.diskWriteBytes, 1'843'200);
    }
    EXPECT_EQ(s.avgCPU(), 25);
    EXPECT_EQ(s.peakCPU(), 25);
    EXPECT_EQ(s.avgMemoryGB(), 8);
    EXPECT_EQ(s.peakMemoryGB(), 8);
    EXPECT_EQ(s.batteryStartPercent(), 80);
    EXPECT_EQ(s.batteryEndPercent(), 80);
    EXPECT_EQ(s.totalNetworkUpBytes(), 86'400'000);
    EXPECT_EQ(s.totalNetworkDownBytes(), 345'600'000);
    EXPECT_EQ(s.totalDiskReadBytes(), 176'947'200);
    EXPECT_EQ(s.totalDiskWriteBytes(), 44'236'800);
    EXPECT_EQ(s.networkSSIDs, (std::map<QString, NetworkSSIDStat>{{QStringLiteral("Home"), {86'400'000, 345'600'000}}}));
    EXPECT_EQ(s.processes.at(QStringLiteral("Finder")),
        (HistoricProcess{QStringLiteral("Finder"), 3600, 1440, 1440ull * 100 * 1024 * 1024}));
    EXPECT_EQ(s.topProcesses().front().name, QStringLiteral("Finder"));
    EXPECT_EQ(s.diskFreeBytes, 482662584320u);
    EXPECT_EQ(s.batteryHealthPercent, 92);
    // Booted 2 d 5 h 17 min before midnight; the last step is 23:59:30.
    EXPECT_EQ((std::array{s.uptimeDays, s.uptimeHours, s.uptimeMinutes}), (std::array<std::int64_t, 3>{3, 5, 16}));
    EXPECT_EQ(DayFile::read(fileOf(day)), s);  // saved at the 1,440th minute

    // The next step is after midnight: it saves the whole day first, then
    // records its minute into a summary of the new day, which has no file yet.
    upStep = 300'000;
    const DailySummary finished = s;
    QSignalSpy saved(recorder.get(), &HistoryRecorder::saved);
    step(*recorder);
    EXPECT_EQ(DayFile::read(fileOf(day)), finished);
    ASSERT_EQ(saved.count(), 1);
    EXPECT_EQ(saved[0][0].toDate(), day);
    EXPECT_EQ(recorder->day(), day.addDays(1));
    EXPECT_EQ(recorder->current().date, dayStartReference(day.addDays(1)));
    EXPECT_EQ(recorder->current().recordedMinutes(), 1);
    EXPECT_EQ(recorder->current().totalNetworkUpBytes(), 300'000);
    EXPECT_FALSE(QFile::exists(fileOf(day.addDays(1))));
}

TEST_F(HistoryRecorderTest, ReadsTodayBackAndSavesWhenTheDayCountReachesATenth)
{
    DailySummary stored = DailySummary::emptyFor(day);
    stored.hours = {HourBucket::forHour(0)};
    stored.hours[0].cpu = {370, 37, 10, 0};
    ASSERT_FALSE(DayFile::write(fileOf(day), stored));
    const QByteArray before = bytesOf(fileOf(day));
    clock.setWall(unixAt(day, 0, 40));

    auto recorder = makeRecorder();
    EXPECT_EQ(recorder->current(), stored);
    step(*recorder, 2);
    EXPECT_EQ(bytesOf(fileOf(day)), before);
    step(*recorder);
    const auto written = DayFile::read(fileOf(day));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->recordedMinutes(), 40);
    EXPECT_EQ(written->hours.size(), 1u);
}

TEST_F(HistoryRecorderTest, UnreadableTodayIsKeptAsideAndReplacedOnlyByRecordedMinutes)
{
    for (const char* name : {"empty.json", "truncated.json", "not-json.json", "array.json", "missing-key.json",
             "string-number.json", "integer-1e300.json", "negative-bytes.json"}) {
        SCOPED_TRACE(name);
        QDir(dir).removeRecursively();
        QDir().mkpath(dir);
        ASSERT_TRUE(QFile::copy(fixturePath(QStringLiteral("history/bad/") + QLatin1String(name)), fileOf(day)));
        const QByteArray original = bytesOf(fileOf(day));
        clock.setWall(unixAt(day, 9, 0));

        auto recorder = makeRecorder();
        EXPECT_EQ(recorder->current(), DailySummary::emptyFor(day));
        EXPECT_TRUE(recorder->saveNow());  // nothing recorded: the file stays
        step(*recorder, 9);
        EXPECT_EQ(bytesOf(fileOf(day)), original);

        step(*recorder);
        EXPECT_EQ(DayFile::read(fileOf(day)), recorder->current());
        EXPECT_EQ(bytesOf(fileOf(day) + QStringLiteral(".unreadable")), original);
    }
}

TEST_F(HistoryRecorderTest, ClockSetBackAcrossMidnightKeepsTheNewDay)
{
    clock.setWall(unixAt(day, 23, 58));
    auto recorder = makeRecorder();
    step(*recorder, 4);  // 23:58, 23:59, then 00:00 and 00:01 of the next day
    const QDate next = day.addDays(1);
    ASSERT_EQ(recorder->day(), next);
    const QByteArray yesterday = bytesOf(fileOf(day));
    ASSERT_FALSE(yesterday.isEmpty());

    clock.setWall(unixAt(day, 23, 50));
    step(*recorder, 2);
    EXPECT_EQ(recorder->day(), next);
    EXPECT_EQ(bytesOf(fileOf(day)), yesterday);
    // A different hour than the last bucket's starts a second bucket; the
    // same hour goes on growing it.
    ASSERT_EQ(recorder->current().hours.size(), 2u);
    EXPECT_EQ(recorder->current().hours[0].hour, 0);
    EXPECT_EQ(recorder->current().hours[1].hour, 23);
    EXPECT_EQ(recorder->current().hours[1].cpu.count, 2);
}

TEST_F(HistoryRecorderTest, TimeZoneChangesNeverWriteAnotherDaysFile)
{
    Dunmorra::Test::ScopedTimeZone::set("Europe/Berlin");
    ASSERT_FALSE(DayFile::write(fileOf(day.addDays(-1)), Dunmorra::Test::sampleDay()));
    const QByteArray yesterday = bytesOf(fileOf(day.addDays(-1)));
    clock.setWall(unixAt(day, 12, 0));
    auto recorder = makeRecorder();
    step(*recorder, 5);

    // Westward: still the same date, six hours earlier. No new day, and the
    // tenth minute is written to this day's file.
    Dunmorra::Test::ScopedTimeZone::set("America/New_York");
    step(*recorder, 5);
    EXPECT_EQ(recorder->day(), day);
    EXPECT_EQ(bytesOf(fileOf(day.addDays(-1))), yesterday);
    EXPECT_EQ(DayFile::read(fileOf(day))->recordedMinutes(), 10);

    // Eastward past midnight: a new day, and the old one keeps its own name.
    Dunmorra::Test::ScopedTimeZone::set("Pacific/Kiritimati");
    step(*recorder);
    EXPECT_EQ(recorder->day(), day.addDays(1));
    EXPECT_EQ(DayFile::read(fileOf(day))->recordedMinutes(), 10);
    EXPECT_EQ(bytesOf(fileOf(day.addDays(-1))), yesterday);
}

TEST_F(HistoryRecorderTest, DayWithoutMidnightGetsAValidStart)
{
    Dunmorra::Test::ScopedTimeZone::set("America/Santiago");  // 2022-09-11 begins at 01:00
    const QDate dst(2022, 9, 11);
    clock.setWall(unixAt(dst.addDays(-1), 23, 59));
    auto recorder = makeRecorder();
    step(*recorder, 2);
    EXPECT_EQ(recorder->day(), dst);
    EXPECT_EQ(recorder->current().date, referenceFromUnix(unixAt(dst, 1, 0, 0)));
    EXPECT_EQ(recorder->current().hours.front().hour, 1);
}

TEST_F(HistoryRecorderTest, NetworkEntriesFollowTheNameOrTheWiredAndWirelessLabels)
{
    struct Case {
        QString label;
        std::optional<QString> ssid;
        std::optional<QString> key;
    };
    const Case cases[] = {
        {NetworkLabels::wifi, QStringLiteral("Caf\u00e9 \"5G\""), QStringLiteral("Caf\u00e9 \"5G\"")},
        {NetworkLabels::wifi, std::nullopt, NetworkLabels::wifi},
        {NetworkLabels::ethernet, std::nullopt, NetworkLabels::ethernet},
        {QStringLiteral("Hotspot"), QStringLiteral("Phone"), QStringLiteral("Phone")},
        {NetworkLabels::notConnected, std::nullopt, std::nullopt},
        {NetworkLabels::detecting, std::nullopt, std::nullopt},
        {QStringLiteral("VPN"), std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label.toStdString());
        QDir(dir).removeRecursively();
        auto recorder = makeRecorder();
        network.interfaceName = c.label;
        network.ssid = c.ssid;
        step(*recorder);
        EXPECT_EQ(recorder->current().totalNetworkDownBytes(), 240'000);
        if (c.key) {
            EXPECT_EQ(recorder->current().networkSSIDs,
                (std::map<QString, NetworkSSIDStat>{{*c.key, {60'000, 240'000}}}));
        } else {
            EXPECT_TRUE(recorder->current().networkSSIDs.empty());
        }
    }
}

TEST_F(HistoryRecorderTest, ProcessesMergeByNameAndZeroLoadNeverSetsAPeak)
{
    cpu.usagePercent = 0;
    cpu.topProcesses = {{1, QStringLiteral("bash"), {}, 1.5, 10}, {2, QStringLiteral("bash"), {}, 2.0, 20}};
    auto recorder = makeRecorder();
    step(*recorder, 3);
    EXPECT_EQ(recorder->current().processes.at(QStringLiteral("bash")),
        (HistoricProcess{QStringLiteral("bash"), 10.5, 6, 90}));
    const BucketStat& load = recorder->current().hours[0].cpu;
    EXPECT_EQ(load.peak, 0);
    EXPECT_EQ(load.peakTime, kDistantPastReference);
}

// The day's bytes are counted from the counters: whatever the rates say
// does not reach the file.
TEST_F(HistoryRecorderTest, ReadingsThatAreNotNumbersCountAsZero)
{
    cpu.usagePercent = std::numeric_limits<double>::quiet_NaN();
    network.uploadBytesPerSec = std::numeric_limits<double>::infinity();
    disk.readBytesPerSec = -1;
    cpu.topProcesses[0].cpuPercent = std::numeric_limits<double>::quiet_NaN();
    auto recorder = makeRecorder();
    step(*recorder, 10);
    const DailySummary& s = recorder->current();
    EXPECT_EQ(s.hours[0].cpu, (BucketStat{0, 10, 0, kDistantPastReference}));
    EXPECT_EQ(s.hours[0].networkUpBytes, 10.0 * upStep);
    EXPECT_EQ(s.hours[0].diskReadBytes, 10.0 * readStep);
    EXPECT_EQ(s.processes.at(QStringLiteral("Finder")).cpuSum, 0);
    EXPECT_EQ(DayFile::read(fileOf(day)), s);
}

TEST_F(HistoryRecorderTest, MachineWithoutBatteryRecordsNoBatteryFigures)
{
    BatteryProvider noBattery([] { return std::vector<Platform::BatteryReading>(); }, clock);
    noBattery.refresh();
    ASSERT_FALSE(noBattery.hasBattery());
    CPUProvider cpuProvider({}, [] { return Platform::ChipFacts{}; });
    MemoryProvider memoryProvider([] { return std::optional<Platform::VmStats>(); });
    NetworkProvider networkProvider(NetworkProvider::Readers{}, nullptr, clock);
    DiskProvider diskProvider(DiskProvider::Readers{}, clock);

    auto recorder = makeRecorder();
    recorder->record(cpuProvider, memoryProvider, noBattery, networkProvider, diskProvider);
    const DailySummary& s = recorder->current();
    EXPECT_EQ(s.hours[0].cpu.count, 1);
    EXPECT_EQ(s.hours[0].batteryPercent, BucketStat{});  // the placeholder's 87 % is not a reading
    EXPECT_EQ(s.batteryHealthPercent, 0);
    EXPECT_FALSE(s.batteryStartPercent());
}

TEST_F(HistoryRecorderTest, FailedSavePrintsTheLineKeepsTheFileAndIsRetried)
{
    // A file where the folder should be: the folder cannot be made.
    const QString blocked = tmp.filePath(QStringLiteral("blocked"));
    QFile(blocked).open(QIODevice::WriteOnly);
    HistoryRecorder recorder(clock, blocked + QStringLiteral("/history"), [this] { return bootTime; });
    testing::internal::CaptureStdout();
    recorder.record(cpu, memory, battery, network, disk);
    EXPECT_FALSE(recorder.saveNow());
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("[HistoryRecorder] save failed: ", 0), 0u) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1);

    QFile::remove(blocked);
    EXPECT_TRUE(recorder.saveNow());
    EXPECT_EQ(DayFile::read(DayFile::path(day, blocked + QStringLiteral("/history"))), recorder.current());
}

TEST_F(HistoryRecorderTest, FullFileSystemLeavesThePreviousFileWhole)
{
    auto recorder = makeRecorder();
    step(*recorder, 10);
    const QByteArray saved = bytesOf(fileOf(day));
    ASSERT_FALSE(saved.isEmpty());

    std::string out;
    {
        Dunmorra::Test::ScopedFileSizeLimit full(64);
        ASSERT_TRUE(full.active());
        testing::internal::CaptureStdout();
        step(*recorder, 10);
        out = testing::internal::GetCapturedStdout();
    }

    EXPECT_EQ(out.rfind("[HistoryRecorder] save failed: ", 0), 0u) << out;
    EXPECT_EQ(bytesOf(fileOf(day)), saved);
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{DayFile::fileName(day)});  // no temporary left

    step(*recorder, 10);
    EXPECT_EQ(DayFile::read(fileOf(day))->recordedMinutes(), 30);
}

TEST_F(HistoryRecorderTest, RemovedFolderIsMadeAgainAtTheNextSave)
{
    auto recorder = makeRecorder();
    step(*recorder, 10);
    ASSERT_TRUE(QDir(dir).removeRecursively());
    step(*recorder, 10);
    EXPECT_EQ(DayFile::read(fileOf(day))->recordedMinutes(), 20);
}

TEST_F(HistoryRecorderTest, RecordsEveryMinuteOnceStarted)
{
    CPUProvider cpuProvider({}, [] { return Platform::ChipFacts{}; });
    MemoryProvider memoryProvider([] { return std::optional<Platform::VmStats>(); });
    BatteryProvider batteryProvider([] { return std::vector<Platform::BatteryReading>(); }, clock);
    NetworkProvider networkProvider(NetworkProvider::Readers{}, nullptr, clock);
    DiskProvider diskProvider(DiskProvider::Readers{}, clock);
    auto recorder = makeRecorder();
    recorder->start(&cpuProvider, &memoryProvider, &batteryProvider, &networkProvider, &diskProvider);
    EXPECT_TRUE(recorder->loop().isRunning());
    EXPECT_EQ(recorder->loop().interval(), std::chrono::milliseconds(60'000));
    EXPECT_TRUE(recorder->current().hours.empty());  // the first step comes a minute later
}

// The minute loop itself, stepped through its timer: each pass folds what the
// providers hold at that moment, and the tenth one writes the day's file.
TEST_F(HistoryRecorderTest, StartedLoopRecordsTheProvidersCurrentReadingsEachMinute)
{
    Platform::VmStats stats = Dunmorra::Test::memoryCounters(16, 12);
    CPUProvider cpuProvider({}, [] { return Platform::ChipFacts{}; }, &Dunmorra::Test::emptyScanCache(), clock);
    auto memoryProvider = std::make_unique<MemoryProvider>([&] { return std::optional(stats); },
                                                           &Dunmorra::Test::emptyScanCache(), clock);
    BatteryProvider batteryProvider([] { return std::vector<Platform::BatteryReading>(); }, clock);
    NetworkProvider networkProvider(NetworkProvider::Readers{}, nullptr, clock);
    DiskProvider diskProvider(DiskProvider::Readers{}, clock);
    memoryProvider->sample();
    const double firstGB = static_cast<double>(memoryProvider->current().usedBytes) / kGiB;

    auto recorder = makeRecorder();
    QSignalSpy recorded(recorder.get(), &HistoryRecorder::recorded);
    recorder->start(&cpuProvider, memoryProvider.get(), &batteryProvider, &networkProvider, &diskProvider);
    for (int minute = 1; minute <= 10; ++minute) {
        if (minute == 6) {
            stats.memAvailable = 8ull << 30;  // the next readings use 4 GiB more
            memoryProvider->sample();
        }
        clock.advance(60);
        recorder->loop().runPassNow();
    }
    EXPECT_EQ(recorded.count(), 10);
    ASSERT_EQ(recorder->current().recordedMinutes(), 10);
    const BucketStat& memoryGB = recorder->current().hours.at(0).memoryGB;
    EXPECT_DOUBLE_EQ(memoryGB.sum, 5 * firstGB + 5 * (firstGB + 4));
    EXPECT_DOUBLE_EQ(memoryGB.peak, firstGB + 4);
    EXPECT_EQ(DayFile::read(fileOf(day)), recorder->current());
    EXPECT_TRUE(recorder->loop().isRunning());

    // A provider that is gone makes the step do nothing.
    memoryProvider.reset();
    clock.advance(60);
    recorder->loop().runPassNow();
    EXPECT_EQ(recorded.count(), 10);
    EXPECT_EQ(recorder->current().recordedMinutes(), 10);
    Dunmorra::Test::finishBackgroundJobs();
}

// Today's file was written in Tokyo (the laptop travelled west since): its
// date is Tokyo's midnight, which in Madrid falls on the day before. Read
// back, the summary is this day's and carries this day's start, so the
// day's traffic still counts as today's.
TEST_F(HistoryRecorderTest, TodaysFileFromAnotherZoneTakesThisZonesMidnight)
{
    DailySummary written = Dunmorra::Test::sampleDay();
    written.date = referenceFromUnix(
        static_cast<double>(QDateTime(day, QTime(0, 0), QTimeZone("Asia/Tokyo")).toSecsSinceEpoch()));
    ASSERT_NE(written.date, dayStartReference(day));
    ASSERT_FALSE(DayFile::write(fileOf(day), written));
    clock.setWall(unixAt(day, 10, 0));

    auto recorder = makeRecorder();
    EXPECT_EQ(recorder->current().date, dayStartReference(day));
    EXPECT_EQ(recorder->current().hours, written.hours);
    EXPECT_EQ(AlertsMonitor::trafficOf(recorder->current()).day, day);

    step(*recorder, 8);  // with the file's two minutes, the tenth is saved
    const auto saved = DayFile::read(fileOf(day));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->date, dayStartReference(day));
}

} // namespace
} // namespace Dunmorra
