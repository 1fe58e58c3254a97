#pragma once

#include "history/ReferenceTime.h"

#include <cstdint>

namespace Dunmorra {

// A running statistic of one quantity within an hour.
struct BucketStat {
    double sum = 0;
    std::int64_t count = 0;
    double peak = 0;                             // never below 0
    double peakTime = kDistantPastReference;     // seconds since 2001 of the sample that set peak

    // A value that is not finite counts as 0, so one bad reading keeps the
    // counts equal and the day writable. Only a strictly greater value moves
    // the peak, so a repeat keeps the first time it was reached.
    void add(double value, double referenceTime);

    // sum / count, 0 while nothing was added.
    double average() const { return count < 1 ? 0.0 : sum / static_cast<double>(count); }

    bool operator==(const BucketStat&) const = default;
};

} // namespace Dunmorra
