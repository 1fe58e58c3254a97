// The Network tab's share of each second with a day of samples in the rate
// rings and the 24 h range chosen: one provider pass with the tab following
// it, and one repaint of the whole tab.
// Run by hand: build/bench/NetworkTabBench
#include "history/HistoryRecorder.h"
#include "model/NetworkProvider.h"
#include "support/SteppingClock.h"
#include "tabs/network/NetworkTab.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

using namespace Dunmorra;

namespace {

// A wired link whose counters move by a varying amount every pass.
struct Link {
    std::vector<Platform::InterfaceCounters> rows{{"eth0", 0, 0}};
    std::uint64_t step = 0;
    const std::vector<Platform::InterfaceCounters>* read()
    {
        ++step;
        rows[0].rxBytes += 1000 + (step * 7919) % 50'000;
        rows[0].txBytes += 100 + (step * 104'729) % 9'000;
        return &rows;
    }
};

struct DayOfSamples {
    Bench::SteppingClock clock;
    Link link;
    NetworkProvider provider{NetworkProvider::Readers{[this] { return link.read(); },
                                                      [](const std::string&) { return true; }, {}, {}},
                             nullptr, clock};
    QTemporaryDir history;
    HistoryRecorder recorder{clock, history.path()};

    DayOfSamples()
    {
        // No connection resolution during the run: the figure is the tab's.
        provider.setConnectionRefreshed(1e18);
        provider.readCounters();
        for (int i = 0; i < NetworkProvider::kRateHistoryCapacity; ++i) {
            clock.step();
            provider.sample();
        }
    }
    void pass()
    {
        clock.step();
        provider.sample();
    }
};

void NetworkPassWithoutTab(benchmark::State& state)
{
    DayOfSamples day;
    for (auto _ : state)
        day.pass();
}
BENCHMARK(NetworkPassWithoutTab)->Unit(benchmark::kMicrosecond);

void NetworkPassWithTabOn24h(benchmark::State& state)
{
    DayOfSamples day;
    NetworkTab tab(day.provider, day.recorder);
    tab.setTimeRange(NetTimeRange::h24);
    for (auto _ : state)
        day.pass();
}
BENCHMARK(NetworkPassWithTabOn24h)->Unit(benchmark::kMicrosecond);

void NetworkTabRepaint(benchmark::State& state)
{
    DayOfSamples day;
    NetworkTab tab(day.provider, day.recorder);
    tab.setTimeRange(NetTimeRange::h24);
    tab.resize(916, 731);
    tab.show();
    QImage image(tab.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        day.pass();
        QPainter p(&image);
        tab.render(&p);
    }
}
BENCHMARK(NetworkTabRepaint)->Unit(benchmark::kMicrosecond);

} // namespace
