#pragma once

#include <cstdint>
#include <string>

namespace Dunmorra {

// Byte texts shared by every view. Units are powers of two whatever their
// letters say, and the numbers never follow the user's locale: a decimal
// point, no grouping, printf's rounding (512 bytes is "0 KB").

// "%.1f GB" from 1 GiB, "%.0f MB" from 1 MiB, "%.0f KB" below; no bytes unit.
std::string formatBytes(std::uint64_t bytes);

// "%.0f B/s", "%.1f KB/s", "%.1f MB/s", "%.2f GB/s"; a negative or NaN rate
// reads as 0.
std::string formatBytesPerSecond(double bytesPerSecond);

} // namespace Dunmorra
