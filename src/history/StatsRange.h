#pragma once

#include <QString>

#include <array>
#include <optional>

namespace Dunmorra {

// How many days the Stats tab shows: today and the days before it.
enum class StatsRange { week, month, quarter };

inline constexpr std::array<StatsRange, 3> allStatsRanges{StatsRange::week, StatsRange::month, StatsRange::quarter};

// "7 days", "30 days", "90 days": the range's identity, and the English text
// the picker shows.
QString rawValue(StatsRange range);
std::optional<StatsRange> statsRangeFromRawValue(const QString& raw);

int dayCount(StatsRange range);

// Days between two date marks of the charts' x axes: 1, 7, 14.
int axisStrideDays(StatsRange range);

} // namespace Dunmorra
