#pragma once

#include "model/Clock.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace Dunmorra {

struct Uptime {
    std::int64_t days = 0;
    std::int64_t hours = 0;   // 0 to 23
    std::int64_t minutes = 0; // 0 to 59

    bool operator==(const Uptime&) const = default;
};

// Whole days, hours and minutes of a span in seconds; a negative span is 0.
Uptime splitUptime(std::int64_t seconds);

// Boot time in seconds since 1970, or nothing when it cannot be read.
using BootTimeReader = std::function<std::optional<std::int64_t>()>;

// Time since the machine booted: the wall clock (truncated to seconds) minus
// the kernel's boot time. A clock set back before the boot reads 0, and so
// does a boot time that cannot be read (rather than the decades since 1970).
Uptime systemUptime(const Clock& clock = Clock::system(), const BootTimeReader& bootTime = {});

} // namespace Dunmorra
