#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace Dunmorra::Platform {

// A file system's size as df reports it. The blocks reserved for root are
// neither used nor free for the user, so used (total - free - reserved) plus
// free can be less than total.
struct FileSystemSpace {
    std::uint64_t totalBytes = 0;
    std::uint64_t freeBytes = 0;     // what an ordinary user can still write
    std::uint64_t reservedBytes = 0; // free only for root
};

// statvfs() of a mounted path; none when the call fails.
std::optional<FileSystemSpace> fileSystemSpace(const std::string& path);

} // namespace Dunmorra::Platform
