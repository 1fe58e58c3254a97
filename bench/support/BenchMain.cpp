// The main of the Google Benchmark binaries: the providers need a Qt
// application object for their timers and queued hand-backs, and the tab
// benchmarks a widget one (offscreen unless a platform is named).
#include "model/WorkerPool.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // No background job may outlive the objects it reports to.
    Dunmorra::drainSamplingPool();
    return 0;
}
