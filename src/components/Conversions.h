#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace Dunmorra {

// double -> integer truncating toward zero, saturating at the type's range;
// a value that is not finite reads 0 (a plain cast would be undefined).
inline std::int64_t truncToInt64(double value)
{
    if (!std::isfinite(value))
        return 0;
    constexpr double lo = -9223372036854775808.0;  // -2^63, exact
    constexpr double hi = 9223372036854775808.0;   //  2^63, exact
    if (value <= lo)
        return std::numeric_limits<std::int64_t>::min();
    if (value >= hi)
        return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(value);
}

// double -> unsigned byte count, dropping the fraction: negative and
// non-finite values read 0, 2^64 and above the largest count.
inline std::uint64_t toUInt64Clamped(double value)
{
    if (!std::isfinite(value) || value <= 0)
        return 0;
    constexpr double hi = 18446744073709551616.0; // 2^64, exact
    if (value >= hi)
        return std::numeric_limits<std::uint64_t>::max();
    return static_cast<std::uint64_t>(value);
}

} // namespace Dunmorra
