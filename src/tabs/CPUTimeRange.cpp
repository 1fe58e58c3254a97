#include "tabs/CPUTimeRange.h"

#include "tabs/TimeRangeTable.h"

namespace Dunmorra {

namespace {
constexpr TimeRangeEntry<CPUTimeRange> kRanges[] = {
    {CPUTimeRange::s60, "60s", 60},
    {CPUTimeRange::m5, "5m", 300},
    {CPUTimeRange::m10, "10m", 600},
    {CPUTimeRange::h1, "1h", 3600},
    {CPUTimeRange::h12, "12h", 43200},
    {CPUTimeRange::h24, "24h", 86400},
};
} // namespace

QString rawValue(CPUTimeRange range)
{
    return rangeRawValue(kRanges, range);
}

std::optional<CPUTimeRange> cpuTimeRangeFromRawValue(const QString& raw)
{
    return rangeFromRawValue(kRanges, raw);
}

int sampleCount(CPUTimeRange range)
{
    return rangeSampleCount(kRanges, range);
}

} // namespace Dunmorra
