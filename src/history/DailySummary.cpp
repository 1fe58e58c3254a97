#include "history/DailySummary.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Dunmorra {

namespace {

// Truncates toward zero, saturating at the type's range; not finite reads 0.
std::int64_t truncatedInt64(double value)
{
    if (!std::isfinite(value))
        return 0;
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (value >= limit)
        return std::numeric_limits<std::int64_t>::max();
    if (value < -limit)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(value);
}

template<typename Stat>
double meanOfAverages(const std::vector<HourBucket>& hours, Stat stat)
{
    if (hours.empty())
        return 0;
    double total = 0;
    for (const HourBucket& bucket : hours)
        total += stat(bucket).average();
    return total / static_cast<double>(hours.size());
}

template<typename Stat>
double largestPeak(const std::vector<HourBucket>& hours, Stat stat)
{
    if (hours.empty())
        return 0;
    double peak = stat(hours.front()).peak;
    for (const HourBucket& bucket : hours)
        if (stat(bucket).peak > peak)
            peak = stat(bucket).peak;
    return peak;
}

template<typename Field>
double sumOf(const std::vector<HourBucket>& hours, Field field)
{
    double total = 0;
    for (const HourBucket& bucket : hours)
        total += field(bucket);
    return total;
}

} // namespace

DailySummary DailySummary::emptyFor(QDate day)
{
    DailySummary summary;
    summary.date = dayStartReference(day);
    return summary;
}

std::vector<double> DailySummary::cpuHourlySeries() const
{
    std::vector<double> series;
    series.reserve(hours.size());
    for (const HourBucket& bucket : hours)
        series.push_back(bucket.cpu.average() / 100.0);
    return series;
}

double DailySummary::avgCPU() const
{
    return meanOfAverages(hours, [](const HourBucket& b) -> const BucketStat& { return b.cpu; });
}

double DailySummary::peakCPU() const
{
    return largestPeak(hours, [](const HourBucket& b) -> const BucketStat& { return b.cpu; });
}

double DailySummary::avgMemoryGB() const
{
    return meanOfAverages(hours, [](const HourBucket& b) -> const BucketStat& { return b.memoryGB; });
}

double DailySummary::peakMemoryGB() const
{
    return largestPeak(hours, [](const HourBucket& b) -> const BucketStat& { return b.memoryGB; });
}

// A bucket without battery minutes holds no reading: its mean of 0 is not a
// level the battery had.
std::optional<std::int64_t> DailySummary::batteryStartPercent() const
{
    const auto first = std::find_if(hours.begin(), hours.end(),
                                    [](const HourBucket& b) { return b.batteryPercent.count > 0; });
    if (first == hours.end())
        return std::nullopt;
    return truncatedInt64(first->batteryPercent.average());
}

std::optional<std::int64_t> DailySummary::batteryEndPercent() const
{
    const auto last = std::find_if(hours.rbegin(), hours.rend(),
                                   [](const HourBucket& b) { return b.batteryPercent.count > 0; });
    if (last == hours.rend())
        return std::nullopt;
    return truncatedInt64(last->batteryPercent.average());
}

double DailySummary::totalNetworkUpBytes() const
{
    return sumOf(hours, [](const HourBucket& b) { return b.networkUpBytes; });
}

double DailySummary::totalNetworkDownBytes() const
{
    return sumOf(hours, [](const HourBucket& b) { return b.networkDownBytes; });
}

double DailySummary::totalDiskReadBytes() const
{
    return sumOf(hours, [](const HourBucket& b) { return b.diskReadBytes; });
}

double DailySummary::totalDiskWriteBytes() const
{
    return sumOf(hours, [](const HourBucket& b) { return b.diskWriteBytes; });
}

std::vector<HistoricProcess> DailySummary::topProcesses() const
{
    std::vector<HistoricProcess> ranked;
    ranked.reserve(processes.size());
    for (const auto& [name, process] : processes)
        ranked.push_back(process);
    std::stable_sort(ranked.begin(), ranked.end(), byAverageCPUDescending);
    if (ranked.size() > 5)
        ranked.resize(5);
    return ranked;
}

std::vector<DailySummary::NamedNetwork> DailySummary::sortedNetworks() const
{
    std::vector<NamedNetwork> sorted;
    sorted.reserve(networkSSIDs.size());
    for (const auto& [name, stat] : networkSSIDs)
        sorted.push_back({name, stat});
    std::stable_sort(sorted.begin(), sorted.end(),
        [](const NamedNetwork& a, const NamedNetwork& b) { return a.stat.totalBytes() > b.stat.totalBytes(); });
    return sorted;
}

std::int64_t DailySummary::recordedMinutes() const
{
    // Saturates: a hand-made file may hold any count.
    std::int64_t minutes = 0;
    for (const HourBucket& bucket : hours)
        if (__builtin_add_overflow(minutes, bucket.cpu.count, &minutes))
            return bucket.cpu.count > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    return minutes;
}

} // namespace Dunmorra
