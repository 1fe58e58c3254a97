#include "tabs/stats/StatsAxisTicks.h"

#include <cmath>

namespace Dunmorra::StatsAxisTicks {

namespace {

constexpr int kSteps = 4;

double roundStep(double span)
{
    const double raw = span / kSteps;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / magnitude;
    const double factor = fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 2.5 ? 2.5 : fraction <= 5 ? 5 : 10;
    return factor * magnitude;
}

} // namespace

std::vector<double> withinTop(double top, double unit)
{
    if (!(top > 0) || !std::isfinite(top) || !(unit > 0))
        return {0};
    const double step = roundStep(top / unit) * unit;
    std::vector<double> marks;
    // The tolerance keeps a top that is itself a step (1.0 of 1.0) a mark.
    for (int i = 0; i * step <= top * (1 + 1e-9); ++i)
        marks.push_back(i * step);
    return marks;
}

double roundedTop(double largest, double unit)
{
    if (!(unit > 0))
        unit = 1;
    if (!(largest > 0) || !std::isfinite(largest))
        return unit;
    const double step = roundStep(largest / unit) * unit;
    return std::ceil(largest / step * (1 - 1e-12)) * step;
}

double megabyteUnit(double largest)
{
    if (largest >= 1024)
        return 1024;
    if (largest > 0 && largest < 1)
        return 1.0 / 1024;
    return 1;
}

} // namespace Dunmorra::StatsAxisTicks
