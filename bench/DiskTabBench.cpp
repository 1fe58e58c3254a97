// The Disk tab's share of each second: one provider pass with the tab
// following it, then a repaint of the I/O chart (both curves), of its card and
// of the whole tab, with a full minute in the ring. "Busy": both rates move
// every pass; "Idle": the disk reads and writes on one pass in ten, as a
// desktop's mostly does.
// Run by hand: build/bench/DiskTabBench
#include "model/DiskProvider.h"
#include "support/SteppingClock.h"
#include "tabs/DiskTab.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdint>

using namespace Dunmorra;

namespace {

struct MinuteOfSamples {
    explicit MinuteOfSamples(int busyEvery)
        : busyEvery(busyEvery)
    {
        for (int i = 0; i < 61; ++i)
            pass();
    }
    int busyEvery;
    Bench::SteppingClock clock;
    Platform::DiskCounters totals{"nvme0n1"};
    std::uint64_t step = 0;
    DiskProvider provider{{
                              [this] {
                                  if (++step % busyEvery != 0)
                                      return std::optional(std::vector<Platform::DiskCounters>{totals});
                                  totals.readBytes += 4096 * ((step * 7919) % 300);
                                  totals.writeBytes += 4096 * ((step * 104'729) % 500);
                                  return std::optional(std::vector<Platform::DiskCounters>{totals});
                              },
                              [] { return std::optional(Platform::FileSystemSpace{500ULL << 30, 120ULL << 30}); },
                              [] { return std::optional<std::string>("nvme0n1p2"); },
                          },
                          clock};

    void pass()
    {
        clock.step();
        provider.sample();
    }
};

void DiskPassWithTab(benchmark::State& state)
{
    MinuteOfSamples minute(1);
    DiskTab tab(minute.provider);
    for (auto _ : state)
        minute.pass();
}
BENCHMARK(DiskPassWithTab)->Unit(benchmark::kMicrosecond);

// Renders one part of a shown tab after each pass, as the window's repaint
// of that part would.
void renderAfterPass(benchmark::State& state, const char* part)
{
    MinuteOfSamples minute(static_cast<int>(state.range(0)));
    DiskTab tab(minute.provider);
    tab.resize(916, 731);
    tab.show();
    QWidget* target = part ? tab.findChild<QWidget*>(QLatin1String(part)) : &tab;
    if (!target) {
        state.SkipWithError("no such part");
        return;
    }
    QImage image(target->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        minute.pass();
        QPainter p(&image);
        target->render(&p);
    }
}

void DiskIoChartRepaint(benchmark::State& state) { renderAfterPass(state, "ioChart"); }
BENCHMARK(DiskIoChartRepaint)->ArgName("busyEvery")->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

void DiskHistoryCardRepaint(benchmark::State& state) { renderAfterPass(state, "ioCard"); }
BENCHMARK(DiskHistoryCardRepaint)->ArgName("busyEvery")->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

void DiskTabRepaint(benchmark::State& state) { renderAfterPass(state, nullptr); }
BENCHMARK(DiskTabRepaint)->ArgName("busyEvery")->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

} // namespace
