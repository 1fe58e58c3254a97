// Day-file coding and loading a range of days. Run by hand: build/bench/HistoryBench
// Goals: encode and decode of a full day under 1 ms each, 90 day files under 50 ms.
#include "history/DailySummaryCodec.h"
#include "history/DayFile.h"
#include "history/HistoricalDataStore.h"
#include "history/StatsHistory.h"
#include "support/BusyDay.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Dunmorra;
using namespace Dunmorra::Bench;

namespace {

void EncodeFullDay(benchmark::State& state)
{
    const DailySummary day = fullDay(QDate(2026, 12, 9));
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text = encodeDailySummary(day);
        bytes = text.size();
        benchmark::DoNotOptimize(text);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(EncodeFullDay)->Unit(benchmark::kMicrosecond);

void DecodeFullDay(benchmark::State& state)
{
    const std::string text = encodeDailySummary(fullDay(QDate(2026, 12, 9)));
    for (auto _ : state) {
        auto day = decodeDailySummary(text);
        if (!day)
            state.SkipWithError("the day did not decode");
        benchmark::DoNotOptimize(day);
    }
}
BENCHMARK(DecodeFullDay)->Unit(benchmark::kMicrosecond);

// 90 files read and decoded through a fresh store (page cache warm, as it is
// after the first load).
void LoadNinetyDays(benchmark::State& state)
{
    QTemporaryDir dir;
    const QDate last(2026, 12, 9);
    writeBusyDays(dir.path(), last, 90);
    for (auto _ : state) {
        HistoricalDataStore store(dir.path());
        int found = 0;
        for (int i = 0; i < 90; ++i)
            found += store.summary(last.addDays(-i)).has_value();
        if (found != 90)
            state.SkipWithError("a day was missing");
    }
}
BENCHMARK(LoadNinetyDays)->Unit(benchmark::kMillisecond);

// What the Stats tab's worker does for "90 days": 89 files read and decoded,
// the recorder's today added, sorted and folded into day rows.
void LoadNinetyDayStats(benchmark::State& state)
{
    QTemporaryDir dir;
    const QDate today(2026, 12, 9);
    writeBusyDays(dir.path(), today.addDays(-1), 89);
    const DailySummary live = fullDay(today);
    for (auto _ : state) {
        StatsHistory history = StatsHistory::load(today, 90, dir.path(), live, today);
        if (history.stats.size() != 90)
            state.SkipWithError("a day was missing");
        benchmark::DoNotOptimize(history);
    }
}
BENCHMARK(LoadNinetyDayStats)->Unit(benchmark::kMillisecond);

} // namespace
