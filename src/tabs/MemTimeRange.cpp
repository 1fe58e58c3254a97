#include "tabs/MemTimeRange.h"

#include "tabs/TimeRangeTable.h"

namespace Dunmorra {

namespace {
constexpr TimeRangeEntry<MemTimeRange> kRanges[] = {
    {MemTimeRange::m5, "5m", 150},
    {MemTimeRange::m10, "10m", 300},
    {MemTimeRange::h1, "1h", 1800},
    {MemTimeRange::h12, "12h", 21600},
    {MemTimeRange::h24, "24h", 43200},
};
} // namespace

QString rawValue(MemTimeRange range)
{
    return rangeRawValue(kRanges, range);
}

std::optional<MemTimeRange> memTimeRangeFromRawValue(const QString& raw)
{
    return rangeFromRawValue(kRanges, raw);
}

int sampleCount(MemTimeRange range)
{
    return rangeSampleCount(kRanges, range);
}

} // namespace Dunmorra
