#include "history/BucketStat.h"

#include <cmath>
#include <limits>

namespace Dunmorra {

void BucketStat::add(double value, double referenceTime)
{
    if (!std::isfinite(value))
        value = 0;
    sum += value;
    // A hand-made file may start at the largest count.
    if (count < std::numeric_limits<std::int64_t>::max())
        count += 1;
    if (peak < value) {
        peak = value;
        peakTime = referenceTime;
    }
}

} // namespace Dunmorra
