// Day-file coding and loading a range of days. Run by hand: build/bench/HistoryBench
// Goals: encode and decode of a full day under 1 ms each, 90 day files under 50 ms.
#include "history/DailySummaryCodec.h"
#include "history/DayFile.h"
#include "history/HistoricalDataStore.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Dunmorra;

namespace {

// A busy day: every hour recorded, 200 process names, 10 networks, figures
// with full-precision fractions as a real day has.
DailySummary fullDay(QDate day)
{
    DailySummary s = DailySummary::emptyFor(day);
    double t = s.date;
    for (int h = 0; h < 24; ++h) {
        HourBucket b = HourBucket::forHour(h);
        for (int m = 0; m < 60; ++m, t += 60) {
            b.cpu.add(17.0 + 0.37 * m + h / 7.0, t);
            b.memoryGB.add(11.3 + m / 97.0, t);
            b.batteryPercent.add(80 - h, t);
            b.networkUpBytes += 1234.567 * 60;
            b.networkDownBytes += 9876.543 * 60;
            b.diskReadBytes += 4096.25 * 60;
            b.diskWriteBytes += 1024.75 * 60;
        }
        s.hours.push_back(b);
    }
    for (int p = 0; p < 200; ++p) {
        const QString name = QStringLiteral("process-%1 helper").arg(p);
        s.processes[name] = {name, 3.14159 * p + 0.1, 1440 - p, 123456789ull * (p + 1)};
    }
    for (int n = 0; n < 10; ++n)
        s.networkSSIDs[QStringLiteral("Network %1").arg(n)] = {1.0e6 / 3 * (n + 1), 7.0e6 / 3 * (n + 1)};
    s.diskTotalBytes = 994662584320;
    s.diskUsedBytes = 512000000000;
    s.diskFreeBytes = 482662584320;
    s.uptimeDays = 2;
    s.batteryHealthPercent = 92;
    return s;
}

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
