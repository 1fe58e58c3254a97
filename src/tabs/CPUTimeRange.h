#pragma once

#include <QString>

#include <array>
#include <optional>

namespace Dunmorra {

// The CPU usage-history chart's ranges, in picker order; the raw value is
// the segment label.
enum class CPUTimeRange { s60, m5, m10, h1, h12, h24 };

inline constexpr std::array<CPUTimeRange, 6> allCPUTimeRanges{
    CPUTimeRange::s60, CPUTimeRange::m5, CPUTimeRange::m10, CPUTimeRange::h1, CPUTimeRange::h12, CPUTimeRange::h24};

QString rawValue(CPUTimeRange range);
// Exactly one of the six raw values; anything else gives none.
std::optional<CPUTimeRange> cpuTimeRangeFromRawValue(const QString& raw);
// How many of the newest usage samples (one a second) the range covers.
int sampleCount(CPUTimeRange range);

} // namespace Dunmorra
