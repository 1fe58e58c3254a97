#pragma once

#include <QString>

#include <cstdint>

namespace Dunmorra {

// One process name's totals for a day. The name is its identity and its key
// in DailySummary::processes; different processes that share a name share it.
struct HistoricProcess {
    QString name;
    double cpuSum = 0;              // CPU percent summed over the minutes it was listed
    std::int64_t cpuCount = 0;      // number of such minutes
    std::uint64_t memorySum = 0;    // resident bytes summed over the same minutes

    const QString& id() const { return name; }

    // cpuSum / cpuCount, 0 while it was never counted.
    double averageCPU() const { return cpuCount < 1 ? 0.0 : cpuSum / static_cast<double>(cpuCount); }

    bool operator==(const HistoricProcess&) const = default;
};

} // namespace Dunmorra
