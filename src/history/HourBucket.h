#pragma once

#include "history/BucketStat.h"

#include <cstdint>

namespace Dunmorra {

// One clock hour of a day: per-minute statistics and byte totals.
struct HourBucket {
    std::int64_t hour = 0;          // 0..23 in the local calendar
    BucketStat cpu;                 // percent 0..100
    BucketStat memoryGB;            // units of 2^30 bytes
    BucketStat batteryPercent;
    double networkUpBytes = 0;      // counted: the kernel's counters' growth over the hour's minutes
    double networkDownBytes = 0;
    double diskReadBytes = 0;
    double diskWriteBytes = 0;

    static HourBucket forHour(std::int64_t hour)
    {
        HourBucket bucket;
        bucket.hour = hour;
        return bucket;
    }

    bool operator==(const HourBucket&) const = default;
};

} // namespace Dunmorra
