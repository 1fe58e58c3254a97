// One pass of each sampling provider against this machine's /proc and /sys.
// Run by hand: build/bench/SamplingBench
#include "model/BatteryProvider.h"
#include "model/ConnectionResolver.h"
#include "model/DiskProvider.h"
#include "model/MemoryProvider.h"
#include "model/NetworkProvider.h"
#include "model/ProcessScanCache.h"
#include "platform/RootVolumeName.h"
#include "support/SteppingClock.h"

#include <benchmark/benchmark.h>

using namespace Dunmorra;

namespace {

using Bench::SteppingClock;

void MemoryPass(benchmark::State& state)
{
    SteppingClock clock;
    ProcessScanCache cache([] { return QList<ProcessEntry>{}; }, clock);
    MemoryProvider provider(MemoryProvider::procReader("/"), &cache, clock);
    for (auto _ : state) {
        clock.step();
        provider.sample();
    }
}
BENCHMARK(MemoryPass);

void DiskPass(benchmark::State& state)
{
    SteppingClock clock;
    DiskProvider provider(DiskProvider::linuxReaders("/"), clock);
    provider.readIOStatistics();
    for (auto _ : state) {
        clock.step();
        provider.sample();
    }
}
BENCHMARK(DiskPass);

void BatteryPass(benchmark::State& state)
{
    SteppingClock clock;
    BatteryProvider provider(BatteryProvider::sysfsReader("/"), clock);
    for (auto _ : state) {
        clock.step();
        provider.refresh();
    }
}
BENCHMARK(BatteryPass);

void NetworkPass(benchmark::State& state)
{
    SteppingClock clock;
    NetworkProvider provider(NetworkProvider::linuxReaders("/"), nullptr, clock);
    provider.readCounters();
    for (auto _ : state) {
        clock.step();
        provider.setConnectionRefreshed(clock.monotonicSeconds()); // keep resolutions out of the pass
        provider.sample();
    }
}
BENCHMARK(NetworkPass);

// The readers inside the passes, to see where a pass spends its time.
void ReadMeminfo(benchmark::State& state)
{
    const Platform::VmStatsReader reader("/");
    for (auto _ : state)
        benchmark::DoNotOptimize(reader.read());
}
BENCHMARK(ReadMeminfo);

void ReadDiskstats(benchmark::State& state)
{
    const Platform::BlockDeviceStats reader("/");
    for (auto _ : state)
        benchmark::DoNotOptimize(reader.read());
}
BENCHMARK(ReadDiskstats);

void ReadRootVolumeName(benchmark::State& state)
{
    const Platform::RootVolumeName reader("/");
    for (auto _ : state)
        benchmark::DoNotOptimize(reader.read());
}
BENCHMARK(ReadRootVolumeName);

void ReadRootSpace(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Platform::fileSystemSpace("/"));
}
BENCHMARK(ReadRootSpace);

// Runs on the sampling pool, never on the GUI thread; for information.
void ConnectionResolution(benchmark::State& state)
{
    const ConnectionResolver resolver(ConnectionResolver::linuxSources());
    for (auto _ : state)
        benchmark::DoNotOptimize(resolver.resolve(4));
}
BENCHMARK(ConnectionResolution)->Unit(benchmark::kMicrosecond);

} // namespace
