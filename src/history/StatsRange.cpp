#include "history/StatsRange.h"

namespace Dunmorra {

QString rawValue(StatsRange range)
{
    switch (range) {
    case StatsRange::week:
        return QStringLiteral("7 days");
    case StatsRange::month:
        return QStringLiteral("30 days");
    case StatsRange::quarter:
        return QStringLiteral("90 days");
    }
    return {};
}

std::optional<StatsRange> statsRangeFromRawValue(const QString& raw)
{
    for (StatsRange range : allStatsRanges) {
        if (rawValue(range) == raw)
            return range;
    }
    return std::nullopt;
}

int dayCount(StatsRange range)
{
    constexpr std::array<int, 3> days{7, 30, 90};
    return days[static_cast<std::size_t>(range)];
}

int axisStrideDays(StatsRange range)
{
    constexpr std::array<int, 3> stride{1, 7, 14};
    return stride[static_cast<std::size_t>(range)];
}

} // namespace Dunmorra
