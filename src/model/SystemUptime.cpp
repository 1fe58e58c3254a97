#include "model/SystemUptime.h"

#include "platform/BootTime.h"

#include <cmath>

namespace Dunmorra {

Uptime splitUptime(std::int64_t seconds)
{
    if (seconds < 0)
        seconds = 0;
    return Uptime{seconds / 86400, (seconds % 86400) / 3600, (seconds % 3600) / 60};
}

Uptime systemUptime(const Clock& clock, const BootTimeReader& bootTime)
{
    const std::optional<std::int64_t> boot = bootTime ? bootTime() : Platform::readBootTime();
    if (!boot)
        return {};
    const double now = std::trunc(clock.wallSeconds());
    // Saturate rather than overflow on a wildly wrong clock.
    if (!std::isfinite(now) || now <= static_cast<double>(*boot))
        return {};
    if (now >= 9.2e18)
        return splitUptime(INT64_MAX);
    return splitUptime(static_cast<std::int64_t>(now) - *boot);
}

} // namespace Dunmorra
