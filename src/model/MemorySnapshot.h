#pragma once

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace Dunmorra {

struct MemorySnapshot {
    enum class MemoryPressure { nominal, warning, critical };

    struct ProcessInfo {
        std::int32_t id = 0;
        QString name;
        std::uint64_t memoryBytes = 0;
        bool operator==(const ProcessInfo&) const = default;
    };

    std::uint64_t usedBytes = 0;        // app + wired + compressed, never above total
    std::uint64_t totalBytes = 0;
    MemoryPressure pressure = MemoryPressure::nominal;
    std::uint64_t appBytes = 0;
    std::uint64_t wiredBytes = 0;
    std::uint64_t compressedBytes = 0;
    std::uint64_t swapUsedBytes = 0;
    std::uint64_t swapTotalBytes = 0;
    QList<ProcessInfo> topProcesses;    // at most 10, largest first

    bool operator==(const MemorySnapshot&) const = default;

    static const MemorySnapshot& initial();
};

// Raw values "nominal", "warning", "critical"; any other text gives none.
QString pressureRawValue(MemorySnapshot::MemoryPressure pressure);
std::optional<MemorySnapshot::MemoryPressure> pressureFromRawValue(const QString& raw);

} // namespace Dunmorra
