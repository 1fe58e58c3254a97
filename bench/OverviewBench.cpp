// Stepping the Overview to a recorded day and painting it: the file read and
// decoded on the sampling pool, every card rebuilt from the day, the whole
// tab rendered. Run by hand: build/bench/OverviewBench
// Goal: under 50 ms for a full day file.
#include "history/DayFile.h"
#include "history/HistoricalDataStore.h"
#include "model/AudioProvider.h"
#include "model/BatteryProvider.h"
#include "model/CPUProvider.h"
#include "model/DaySelection.h"
#include "model/DiskProvider.h"
#include "model/MemoryProvider.h"
#include "model/NetworkProvider.h"
#include "model/UserSettings.h"
#include "model/WorkerPool.h"
#include "support/BusyDay.h"
#include "tabs/overview/OverviewTab.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace Dunmorra;

namespace {

constexpr int kRecordedDays = 60;
const QDate kToday(2026, 12, 10);

class FixedClock final : public Clock {
public:
    double wallSeconds() const override { return static_cast<double>(QDateTime(kToday, QTime(12, 0)).toSecsSinceEpoch()); }
    std::chrono::nanoseconds monotonic() const override { return std::chrono::hours(1); }
};

// The machine's own providers (never started: the bench drives the day only).
struct Sources {
    FixedClock clock;
    CPUProvider cpu;
    MemoryProvider memory;
    BatteryProvider battery;
    DiskProvider disk;
    NetworkProvider network;
    AudioProvider audio{[] { return std::optional<Platform::AudioServerState>(); }};
};

void waitForTheDay(const OverviewTab& tab)
{
    while (tab.body() == OverviewTab::Body::Reading) {
        samplingPool().waitForDone(5);
        QCoreApplication::processEvents();
    }
}

void StepToARecordedDayAndPaint(benchmark::State& state)
{
    QTemporaryDir dir;
    Bench::writeBusyDays(dir.path(), kToday.addDays(-1), kRecordedDays);
    Sources sources;
    UserSettings& settings = UserSettings::shared();

    std::unique_ptr<DaySelection> days;
    std::unique_ptr<HistoricalDataStore> store;
    std::unique_ptr<OverviewTab> tab;
    // A fresh store each round, so every step reads and decodes its file.
    const auto freshRound = [&] {
        tab.reset();
        store = std::make_unique<HistoricalDataStore>(dir.path());
        days = std::make_unique<DaySelection>(sources.clock);
        tab = std::make_unique<OverviewTab>(OverviewSources{*days, *store, sources.cpu, sources.memory, sources.battery,
                                                            sources.disk, sources.network, sources.audio, settings});
        tab->resize(1100, 750);
        tab->show();
        tab->grab();
    };
    freshRound();
    int step = 0;
    for (auto _ : state) {
        if (step == kRecordedDays) {
            state.PauseTiming();
            freshRound();
            step = 0;
            state.ResumeTiming();
        }
        days->shiftSelectedDate(-1);
        ++step;
        waitForTheDay(*tab);
        if (tab->body() != OverviewTab::Body::Cards)
            state.SkipWithError("the day did not load");
        QPixmap shot = tab->grab();
        benchmark::DoNotOptimize(shot);
    }
    tab.reset();
    drainSamplingPool();
}
BENCHMARK(StepToARecordedDayAndPaint)->Unit(benchmark::kMillisecond);

} // namespace
