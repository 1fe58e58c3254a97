#pragma once

#include <QString>

#include <array>
#include <optional>

namespace Dunmorra {

// The throughput-history chart's ranges, in picker order; the raw value is
// the segment label. A range's sample count is its length in seconds, the
// network rings taking one sample a second.
enum class NetTimeRange { s60, m5, h1, h12, h24 };

inline constexpr std::array<NetTimeRange, 5> allNetTimeRanges{
    NetTimeRange::s60, NetTimeRange::m5, NetTimeRange::h1, NetTimeRange::h12, NetTimeRange::h24};

QString rawValue(NetTimeRange range);
// Exactly one of the five raw values; anything else gives none.
std::optional<NetTimeRange> netTimeRangeFromRawValue(const QString& raw);
int sampleCount(NetTimeRange range);
// The chart's left caption ("60s ago"), shown as it is in every language.
QString leftAxisLabel(NetTimeRange range);

} // namespace Dunmorra
