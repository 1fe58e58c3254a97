// Folder sizing against du -s on the same tree, warm cache.
//
//   build/bench/FolderSizeBench [--benchmark_...]       (tree: $HALVORIN_BENCH_DIR, default /usr)
//
// Before timing, the byte totals are checked against find's list of
// distinct non-empty regular files, so a faster run cannot be one that skips
// work. du -s counts allocated blocks, so only its time is compared.

#include "folders/FolderProvider.h"
#include "platform/DirectoryListing.h"
#include "platform/DirectorySize.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace Dunmorra;

namespace {

std::string benchDir()
{
    const char* d = std::getenv("HALVORIN_BENCH_DIR");
    return d && *d ? d : "/usr";
}

std::string largestChild(const std::string& dir)
{
    std::string best;
    std::int64_t bestFiles = -1;
    for (const auto& e : Platform::listDirectory(dir, true).entries) {
        if (!e.isDirectory)
            continue;
        const auto s = Platform::directorySize(dir + "/" + e.name);
        if (s.fileCount > bestFiles) {
            bestFiles = s.fileCount;
            best = dir + "/" + e.name;
        }
    }
    return best;
}

// Sum and count of the distinct (device, inode) non-empty regular files.
std::pair<unsigned long long, long long> findReference(const std::string& dir)
{
    const std::string cmd = "find '" + dir + "' -type f -size +0c -printf '%D:%i %s\\n' | sort -u"
                            " | awk '{s+=$2;n++} END{printf \"%.0f %d\\n\",s,n}'";
    unsigned long long bytes = 0;
    long long files = 0;
    if (FILE* f = ::popen(cmd.c_str(), "r")) {
        if (std::fscanf(f, "%llu %lld", &bytes, &files) != 2)
            bytes = 0, files = 0;
        ::pclose(f);
    }
    return {bytes, files};
}

void sizeLikeTheModel(const std::string& dir)
{
    FolderProviderOptions o;
    o.homePath = QByteArray::fromStdString(dir);
    FolderProvider p(o);
    p.scan();
    const auto done = [&] {
        if (p.isScanning() || p.isComputingSizes())
            return false;
        for (const auto& i : p.items())
            if (i.isDirectory && !i.sizeBytes)
                return false;
        return true;
    };
    QEventLoop loop;
    QObject::connect(&p, &FolderProvider::isComputingSizesChanged, &loop, [&] {
        if (done())
            loop.quit();
    });
    if (!done())
        loop.exec();
}

void run(const std::string& command)
{
    if (std::system((command + " > /dev/null 2>&1").c_str()) == -1)
        std::abort();
}

void BM_ModelSizesAllChildren(benchmark::State& state)
{
    const auto dir = benchDir();
    for (auto _ : state)
        sizeLikeTheModel(dir);
}

void BM_DuWholeTree(benchmark::State& state)
{
    const auto dir = benchDir();
    for (auto _ : state)
        run("du -s '" + dir + "'");
}

void BM_DuChildrenInParallel(benchmark::State& state)
{
    const auto dir = benchDir();
    for (auto _ : state)
        run("printf '%s\\0' '" + dir + "'/*/ | xargs -0 -P 8 -n1 du -s");
}

void BM_DirectorySizeOneFolderOneThread(benchmark::State& state)
{
    static const auto folder = largestChild(benchDir());
    state.SetLabel(folder);
    for (auto _ : state)
        benchmark::DoNotOptimize(Platform::directorySize(folder));
}

void BM_DuOneFolder(benchmark::State& state)
{
    static const auto folder = largestChild(benchDir());
    state.SetLabel(folder);
    for (auto _ : state)
        run("du -s '" + folder + "'");
}

void BM_DirectorySizeWholeTreeOneThread(benchmark::State& state)
{
    const auto dir = benchDir();
    for (auto _ : state)
        benchmark::DoNotOptimize(Platform::directorySize(dir));
}

} // namespace

BENCHMARK(BM_ModelSizesAllChildren)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_DuChildrenInParallel)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_DirectorySizeWholeTreeOneThread)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_DuWholeTree)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_DirectorySizeOneFolderOneThread)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(BM_DuOneFolder)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const auto dir = benchDir();

    // Warms the cache and checks the figures.
    run("du -s '" + dir + "'");
    const auto walked = Platform::directorySize(dir);
    const auto [refBytes, refFiles] = findReference(dir);
    std::printf("check %s: walk %llu bytes / %lld files%s, find %llu bytes / %lld files: %s\n", dir.c_str(),
                static_cast<unsigned long long>(walked.totalBytes), static_cast<long long>(walked.fileCount),
                walked.incomplete ? " (incomplete)" : "", refBytes, refFiles,
                walked.totalBytes == refBytes && walked.fileCount == refFiles ? "equal" : "DIFFERENT");

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
