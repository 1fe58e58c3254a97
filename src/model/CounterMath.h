#pragma once

#include <cstdint>

namespace Dunmorra {

// Unsigned arithmetic that cannot wrap: readings taken a moment apart may
// disagree, and a wrapped value would show as exabytes.
inline constexpr std::uint64_t subtractClamped(std::uint64_t a, std::uint64_t b)
{
    return a >= b ? a - b : 0;
}

inline constexpr std::uint64_t addSaturated(std::uint64_t a, std::uint64_t b)
{
    return UINT64_MAX - a < b ? UINT64_MAX : a + b;
}

// Bytes per second from two cumulative counter sums; a sum that fell (a device
// went away, a counter was reset) gives 0 for this interval.
inline double counterRate(std::uint64_t newSum, std::uint64_t oldSum, double elapsedSeconds)
{
    if (newSum < oldSum || elapsedSeconds <= 0)
        return 0.0;
    return static_cast<double>(newSum - oldSum) / elapsedSeconds;
}

} // namespace Dunmorra
