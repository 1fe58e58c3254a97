#include "history/BucketStat.h"

#include <cmath>

namespace Dunmorra {

void BucketStat::add(double value, double referenceTime)
{
    if (!std::isfinite(value))
        value = 0;
    sum += value;
    count += 1;
    if (peak < value) {
        peak = value;
        peakTime = referenceTime;
    }
}

} // namespace Dunmorra
