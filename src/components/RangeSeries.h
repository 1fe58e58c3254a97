#pragma once

#include "model/HistoryRing.h"

#include <cstdint>
#include <vector>

namespace Dunmorra {

inline constexpr int kRangeSeriesPoints = 120;

// The chart series of a usage-history range: the newest sampleCount values
// of the ring (all of them when it holds fewer), empty when the ring holds
// fewer than two, thinned to exactly 120 points when longer (point i is the
// value at (i * (m - 1)) / 119, so the oldest and newest are kept), each
// divided by divisor. Reads at most 120 ring entries, never the whole ring.
inline std::vector<double> rangeSeries(const HistoryRing<double>& ring, int sampleCount, double divisor = 100.0)
{
    std::vector<double> out;
    const int count = ring.size();
    if (count < 2)
        return out;
    const int m = std::clamp(sampleCount, 0, count);
    const int first = count - m;
    if (m > kRangeSeriesPoints) {
        out.reserve(kRangeSeriesPoints);
        for (int i = 0; i < kRangeSeriesPoints; ++i) {
            const std::int64_t idx = (static_cast<std::int64_t>(i) * (m - 1)) / (kRangeSeriesPoints - 1);
            out.push_back(ring.at(first + static_cast<int>(idx)).value / divisor);
        }
        return out;
    }
    out.reserve(static_cast<std::size_t>(m));
    for (int i = first; i < count; ++i)
        out.push_back(ring.at(i).value / divisor);
    return out;
}

} // namespace Dunmorra
