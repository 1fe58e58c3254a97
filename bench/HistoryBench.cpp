// Day-file coding and loading a range of days. Run by hand: build/bench/HistoryBench
// Goals: encode and decode of a full day under 1 ms each, 90 day files under 50 ms.
#include "history/DailySummaryCodec.h"
#include "history/DayFile.h"
#include "history/HistoricalDataStore.h"
#include "support/BusyDay.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Dunmorra;

namespace {

using Bench::fullDay;

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

// What the Stats tab's 90-day range costs: 90 files read and decoded through
// a fresh store (page cache warm, as it is after the first load).
void LoadNinetyDays(benchmark::State& state)
{
    QTemporaryDir dir;
    const QDate last(2026, 12, 9);
    for (int i = 0; i < 90; ++i)
        DayFile::write(DayFile::path(last.addDays(-i), dir.path()), fullDay(last.addDays(-i)));
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

} // namespace
