#include "components/Formatters.h"

#include <charconv>

namespace Dunmorra {

namespace {

constexpr double kKiB = 1024.0;
constexpr double kMiB = 1048576.0;
constexpr double kGiB = 1073741824.0;

// std::to_chars rounds exactly as printf does and ignores the C locale,
// which Qt sets from the environment at start.
std::string fixed(double value, int digits, const char* unit)
{
    char buffer[352];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, digits);
    std::string text(buffer, result.ptr);
    text += unit;
    return text;
}

} // namespace

std::string formatBytes(std::uint64_t bytes)
{
    const double value = static_cast<double>(bytes);
    if (value / kGiB >= 1)
        return fixed(value / kGiB, 1, " GB");
    if (value / kMiB >= 1)
        return fixed(value / kMiB, 0, " MB");
    return fixed(value / kKiB, 0, " KB");
}

std::string formatBytesPerSecond(double bytesPerSecond)
{
    const double r = bytesPerSecond >= 0 ? bytesPerSecond : 0;
    if (r < kKiB)
        return fixed(r, 0, " B/s");
    if (r < kMiB)
        return fixed(r / kKiB, 1, " KB/s");
    if (r < kGiB)
        return fixed(r / kMiB, 1, " MB/s");
    return fixed(r / kGiB, 2, " GB/s");
}

} // namespace Dunmorra
