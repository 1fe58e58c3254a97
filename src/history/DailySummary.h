#pragma once

#include "history/HistoricProcess.h"
#include "history/HourBucket.h"
#include "history/NetworkSSIDStat.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace Dunmorra {

// One local calendar day of history: hourly buckets, per-process and
// per-network totals and the last-known disk, uptime and battery-health
// values. Field names are the day file's keys (see DailySummaryCodec).
struct DailySummary {
    struct NamedNetwork {
        QString name;
        NetworkSSIDStat stat;
        bool operator==(const NamedNetwork&) const = default;
    };

    double date = 0;                                     // start of the local day, seconds since 2001
    std::vector<HourBucket> hours;                       // in the order they were created
    std::map<QString, HistoricProcess> processes;        // by process name
    std::map<QString, NetworkSSIDStat> networkSSIDs;     // by Wi-Fi name or connection label
    std::uint64_t diskTotalBytes = 0;
    std::uint64_t diskUsedBytes = 0;
    std::uint64_t diskFreeBytes = 0;
    std::int64_t uptimeDays = 0;
    std::int64_t uptimeHours = 0;
    std::int64_t uptimeMinutes = 0;
    std::int64_t batteryHealthPercent = 0;               // 0: not recorded

    // An empty record whose date is the start of that local day.
    static DailySummary emptyFor(QDate day);

    bool operator==(const DailySummary&) const = default;

    // Day aggregates, recomputed on every call. Means are means of the hourly
    // means: every bucket weighs the same whatever its minute count.
    std::vector<double> cpuHourlySeries() const;         // cpu average / 100 per bucket
    double avgCPU() const;
    double peakCPU() const;
    double avgMemoryGB() const;
    double peakMemoryGB() const;
    // Truncated means of the first and the last bucket with battery minutes;
    // none on a day without any.
    std::optional<std::int64_t> batteryStartPercent() const;
    std::optional<std::int64_t> batteryEndPercent() const;
    double totalNetworkUpBytes() const;
    double totalNetworkDownBytes() const;
    double totalDiskReadBytes() const;
    double totalDiskWriteBytes() const;
    std::vector<HistoricProcess> topProcesses() const;   // at most 5, highest average CPU first
    std::vector<NamedNetwork> sortedNetworks() const;    // all, most traffic first

    // Strict ordering for ranking processes (also across days).
    static bool byAverageCPUDescending(const HistoricProcess& a, const HistoricProcess& b)
    {
        return a.averageCPU() > b.averageCPU();
    }

    // Minutes recorded for the day: the sum of the buckets' CPU counts.
    std::int64_t recordedMinutes() const;
};

} // namespace Dunmorra
