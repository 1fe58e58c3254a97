#include "tabs/stats/StatsAxisTicks.h"

#include <cmath>
#include <set>

namespace Dunmorra::StatsAxisTicks {

namespace {

constexpr int kSteps = 4;

constexpr double kFactors[] = {1, 2, 2.5, 5};

double roundStep(double span)
{
    const double raw = span / kSteps;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / magnitude;
    const double factor = fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 2.5 ? 2.5 : fraction <= 5 ? 5 : 10;
    return factor * magnitude;
}

// The round step after `step` (in units): 1, 2, 2.5, 5, 10, 20, ...
double nextRoundStep(double step)
{
    const double magnitude = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    for (const double factor : kFactors)
        if (factor * magnitude > step * (1 + 1e-9))
            return factor * magnitude;
    return 10 * magnitude;
}

bool isMultipleOf(double value, double of)
{
    const double ratio = value / of;
    return std::fabs(ratio - std::round(ratio)) < 1e-6;
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

Scale megabyteScale(double largest, const std::function<QString(double)>& text)
{
    const double unit = megabyteUnit(largest);
    if (!(largest > 0) || !std::isfinite(largest))
        return Scale{unit, {0, unit}};
    // The finest step each unit's text shows: a KB, a MB, a tenth of a GB.
    const double precision = unit >= 1024 ? 0.1 : 1;
    double step = roundStep(largest / unit);
    for (int tries = 0; tries < 64; ++tries, step = nextRoundStep(step)) {
        if (!isMultipleOf(step, precision))
            continue;
        const double top = std::ceil(largest / unit / step * (1 - 1e-12)) * step;
        Scale scale{top * unit, {}};
        std::set<QString> seen;
        bool distinct = true;
        for (int i = 0; distinct && i * step <= top * (1 + 1e-9); ++i) {
            scale.marks.push_back(i * step * unit);
            distinct = seen.insert(text(scale.marks.back())).second;
        }
        if (distinct)
            return scale;
    }
    return Scale{roundedTop(largest, unit), withinTop(roundedTop(largest, unit), unit)};
}

} // namespace Dunmorra::StatsAxisTicks
