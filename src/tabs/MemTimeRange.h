#pragma once

#include <QString>

#include <array>
#include <optional>

namespace Dunmorra {

// The memory usage-history chart's ranges, in picker order; the raw value is
// the segment label. Samples are the memory provider's, one every 2 s.
enum class MemTimeRange { m5, m10, h1, h12, h24 };

inline constexpr std::array<MemTimeRange, 5> allMemTimeRanges{MemTimeRange::m5, MemTimeRange::m10, MemTimeRange::h1,
                                                              MemTimeRange::h12, MemTimeRange::h24};

QString rawValue(MemTimeRange range);
// Exactly one of the five raw values; anything else gives none.
std::optional<MemTimeRange> memTimeRangeFromRawValue(const QString& raw);
// How many of the newest 2-second usage samples the range covers.
int sampleCount(MemTimeRange range);

} // namespace Dunmorra
