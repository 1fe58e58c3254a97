#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace Dunmorra::Platform {

// The kernel's boot time ("btime" of <root>/proc/stat), seconds since 1970.
std::optional<std::int64_t> readBootTime(const std::string& root = "/");

} // namespace Dunmorra::Platform
