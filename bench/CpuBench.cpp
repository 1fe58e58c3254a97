// One CPU pass and one process scan against this machine's /proc, with a
// `ps -e -o pid,rss,time,comm` run of the same table beside them.
// Run by hand: build/bench/CpuBench
#include "model/CPUProvider.h"
#include "model/ProcessScanCache.h"
#include "platform/ProcessTable.h"

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace Dunmorra;

namespace {

// Tick totals, per-core loads and both rings. The process pass is measured
// on its own below: with no event loop here its result is never handed back,
// so after the first launch no further one starts.
void CpuPass(benchmark::State& state)
{
    ProcessScanCache cache([] { return QList<ProcessEntry>{}; });
    CPUProvider provider({}, {}, &cache);
    provider.sample();
    for (auto _ : state)
        provider.sample();
}
BENCHMARK(CpuPass);

void ProcessScan(benchmark::State& state)
{
    const Platform::ProcessTable table;
    std::size_t processes = 0;
    for (auto _ : state) {
        const auto records = table.read();
        processes = records.size();
        benchmark::DoNotOptimize(records.data());
    }
    state.counters["processes"] = static_cast<double>(processes);
    state.counters["per_process_us"] = benchmark::Counter(
        static_cast<double>(processes) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(ProcessScan)->Unit(benchmark::kMicrosecond);

// The same table through the shared cache's walk (entries as the providers see them).
void ProcessScanWalk(benchmark::State& state)
{
    const ProcessScanCache::Walk walk = ProcessScanCache::procfsWalk();
    for (auto _ : state)
        benchmark::DoNotOptimize(walk());
}
BENCHMARK(ProcessScanWalk)->Unit(benchmark::kMicrosecond);

void PsPeer(benchmark::State& state)
{
    char buffer[4096];
    for (auto _ : state) {
        FILE* ps = popen("ps -e -o pid,rss,time,comm", "r");
        if (!ps) {
            state.SkipWithError("ps cannot start");
            break;
        }
        while (fread(buffer, 1, sizeof buffer, ps) > 0) {
        }
        pclose(ps);
    }
}
BENCHMARK(PsPeer)->Unit(benchmark::kMicrosecond);

} // namespace
