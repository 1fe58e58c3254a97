// The Stats tab loading "90 days" of busy day files, as the user sees it:
// the tab on screen, the range picked, until its charts hold the new rows.
// Run by hand: build/bench/StatsBench
// Goals: the load under 50 ms; the window's thread never held more than
// 16 ms at a stretch meanwhile (counter longest_stall_ms, measured as the
// largest gap between the ticks of a 1 ms timer on that thread).
#include "history/HistoryRecorder.h"
#include "model/WorkerPool.h"
#include "support/BusyDay.h"
#include "tabs/stats/StatsTab.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>

using namespace Dunmorra;
using namespace Dunmorra::Bench;

namespace {

// Today at noon, so the recorder's day and the files' days line up.
class FixedClock final : public Clock {
public:
    double wallSeconds() const override
    {
        return static_cast<double>(QDateTime(QDate(2026, 12, 9), QTime(12, 0)).toSecsSinceEpoch());
    }
    std::chrono::nanoseconds monotonic() const override { return std::chrono::hours(1); }
};

void StatsTabLoadsNinetyDays(benchmark::State& state)
{
    QTemporaryDir dir;
    const QDate today(2026, 12, 9);
    writeBusyDays(dir.path(), today.addDays(-1), 89);
    FixedClock clock;
    HistoryRecorder recorder(clock, dir.path(), [] { return std::optional<std::int64_t>(0); });

    double longestStall = 0;
    double loadTotal = 0;
    for (auto _ : state) {
        state.PauseTiming();
        StatsTab tab(recorder, clock);
        tab.resize(1100, 750);
        tab.show();
        while (tab.isLoading() || !tab.chartsShown())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::processEvents();
        state.ResumeTiming();

        QElapsedTimer sinceTick;
        double stall = 0;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            stall = std::max(stall, sinceTick.nsecsElapsed() / 1e6);
            sinceTick.restart();
        });
        QElapsedTimer load;
        load.start();
        sinceTick.start();
        ticker.start();
        tab.setRange(StatsRange::quarter);
        while (tab.isLoading())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const double loaded = load.nsecsElapsed() / 1e6;
        // The charts are laid out and drawn on the same thread: count them.
        while (!tab.chartsShown())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        stall = std::max(stall, sinceTick.nsecsElapsed() / 1e6);
        ticker.stop();
        if (tab.stats().size() != 90)
            state.SkipWithError("a day was missing");
        longestStall = std::max(longestStall, stall);
        loadTotal += loaded;
    }
    state.counters["longest_stall_ms"] = longestStall;
    state.counters["load_ms"] = loadTotal / static_cast<double>(state.iterations());
}
BENCHMARK(StatsTabLoadsNinetyDays)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

} // namespace
