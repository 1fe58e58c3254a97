#pragma once

#include <QLatin1String>
#include <QString>

#include <cstddef>
#include <optional>

namespace Dunmorra {

// One row of a history chart's range table: the case, its raw value (also
// the picker label) and how many of the newest samples it covers.
template <typename Range>
struct TimeRangeEntry {
    Range range;
    const char* raw;
    int samples;
};

// Look-ups in such a table, so every tab's ranges read their raw values and
// sample counts the same way.
template <typename Range, std::size_t N>
QString rangeRawValue(const TimeRangeEntry<Range> (&table)[N], Range range)
{
    for (const auto& e : table) {
        if (e.range == range)
            return QLatin1String(e.raw);
    }
    return {};
}

// Exactly one of the table's raw values; anything else gives none.
template <typename Range, std::size_t N>
std::optional<Range> rangeFromRawValue(const TimeRangeEntry<Range> (&table)[N], const QString& raw)
{
    for (const auto& e : table) {
        if (raw == QLatin1String(e.raw))
            return e.range;
    }
    return std::nullopt;
}

template <typename Range, std::size_t N>
int rangeSampleCount(const TimeRangeEntry<Range> (&table)[N], Range range)
{
    for (const auto& e : table) {
        if (e.range == range)
            return e.samples;
    }
    return 0;
}

} // namespace Dunmorra
