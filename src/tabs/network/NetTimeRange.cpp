#include "tabs/network/NetTimeRange.h"

namespace Dunmorra {

namespace {
struct RangeEntry {
    NetTimeRange range;
    const char* raw;
    int samples;
    const char* axis;
};
constexpr RangeEntry kRanges[] = {
    {NetTimeRange::s60, "60s", 60, "60s ago"},
    {NetTimeRange::m5, "5m", 300, "5m ago"},
    {NetTimeRange::h1, "1h", 3'600, "1h ago"},
    {NetTimeRange::h12, "12h", 43'200, "12h ago"},
    {NetTimeRange::h24, "24h", 86'400, "24h ago"},
};

const RangeEntry& entry(NetTimeRange range)
{
    for (const RangeEntry& e : kRanges) {
        if (e.range == range)
            return e;
    }
    return kRanges[0];
}
} // namespace

QString rawValue(NetTimeRange range)
{
    return QLatin1String(entry(range).raw);
}

std::optional<NetTimeRange> netTimeRangeFromRawValue(const QString& raw)
{
    for (const RangeEntry& e : kRanges) {
        if (raw == QLatin1String(e.raw))
            return e.range;
    }
    return std::nullopt;
}

int sampleCount(NetTimeRange range)
{
    return entry(range).samples;
}

QString leftAxisLabel(NetTimeRange range)
{
    return QLatin1String(entry(range).axis);
}

} // namespace Dunmorra
