#include "tabs/CPUTimeRange.h"

namespace Dunmorra {

namespace {
struct RangeEntry {
    CPUTimeRange range;
    const char* raw;
    int samples;
};
constexpr RangeEntry kRanges[] = {
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
    for (const RangeEntry& e : kRanges) {
        if (e.range == range)
            return QLatin1String(e.raw);
    }
    return {};
}

std::optional<CPUTimeRange> cpuTimeRangeFromRawValue(const QString& raw)
{
    for (const RangeEntry& e : kRanges) {
        if (raw == QLatin1String(e.raw))
            return e.range;
    }
    return std::nullopt;
}

int sampleCount(CPUTimeRange range)
{
    for (const RangeEntry& e : kRanges) {
        if (e.range == range)
            return e.samples;
    }
    return 0;
}

} // namespace Dunmorra
