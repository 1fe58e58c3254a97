#pragma once

#include <QList>
#include <QString>

#include <cstdint>
#include <vector>

namespace Dunmorra {

struct CPUSnapshot {
    struct ProcessInfo {
        std::int32_t id = 0;
        QString name;
        QString executablePath;
        double cpuPercent = 0;      // share of one core, (0.05, 999]
        std::uint64_t memoryBytes = 0;
        bool operator==(const ProcessInfo&) const = default;
    };

    double usagePercent = 0;          // all cores, 0..100
    std::vector<double> coreUsages;   // per logical CPU in the kernel's order
    QList<ProcessInfo> topProcesses;  // at most 8, highest share first

    bool operator==(const CPUSnapshot&) const = default;

    // 34 % with three sample rows, until the first measurement.
    static const CPUSnapshot& initial();
};

enum class CoreKind { performance, efficiency };

struct ChipInfo {
    QString name;
    int physicalCores = 0;
    int perfCores = 0;   // physical cores of each kind; both 0 on a chip of one kind
    int effCores = 0;
    // The kind of each entry of CPUSnapshot::coreUsages; empty when every
    // core is of one kind.
    std::vector<CoreKind> coreKinds;
    bool operator==(const ChipInfo&) const = default;

    // "4E + 8P" when both counts are known, else the physical count.
    static QString coreSummary(int physical, int perf, int eff);
    QString coreSummary() const { return coreSummary(physicalCores, perfCores, effCores); }
};

} // namespace Dunmorra
