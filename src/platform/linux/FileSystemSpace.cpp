#include "platform/FileSystemSpace.h"

#include <sys/statvfs.h>

namespace Dunmorra::Platform {

namespace {
std::uint64_t multiplySaturated(std::uint64_t a, std::uint64_t b)
{
    return (a != 0 && b > UINT64_MAX / a) ? UINT64_MAX : a * b;
}
} // namespace

std::optional<FileSystemSpace> fileSystemSpace(const std::string& path)
{
    struct statvfs st {};
    if (::statvfs(path.c_str(), &st) != 0)
        return std::nullopt;
    const std::uint64_t unit = st.f_frsize ? st.f_frsize : st.f_bsize;
    // f_bavail, not f_bfree: the root reserve is not space the user can fill.
    const std::uint64_t reserved = st.f_bfree > st.f_bavail ? st.f_bfree - st.f_bavail : 0;
    return FileSystemSpace{multiplySaturated(st.f_blocks, unit), multiplySaturated(st.f_bavail, unit),
                           multiplySaturated(reserved, unit)};
}

} // namespace Dunmorra::Platform
