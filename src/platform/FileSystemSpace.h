#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace Dunmorra::Platform {

struct FileSystemSpace {
    std::uint64_t totalBytes = 0;
    std::uint64_t freeBytes = 0;   // what an ordinary user can still write
};

// statvfs() of a mounted path; none when the call fails.
std::optional<FileSystemSpace> fileSystemSpace(const std::string& path);

} // namespace Dunmorra::Platform
