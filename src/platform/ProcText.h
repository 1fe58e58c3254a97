#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace Dunmorra::Platform::ProcText {

// Reads a whole (small, procfs or sysfs) file into buffer, reusing its
// storage. False when the file cannot be opened or read.
bool readFile(const std::string& path, std::string& buffer);

// Joins a root with an absolute path without doubling the slash.
std::string join(const std::string& root, std::string_view absolute);

// Parses an unsigned decimal at p, skipping leading blanks; advances p.
inline bool parseU64(const char*& p, const char* end, std::uint64_t& out)
{
    while (p < end && (*p == ' ' || *p == '\t'))
        ++p;
    const auto r = std::from_chars(p, end, out);
    if (r.ec != std::errc())
        return false;
    p = r.ptr;
    return true;
}

// Trims blanks, new lines and NUL bytes from both ends.
std::string_view trim(std::string_view text);

} // namespace Dunmorra::Platform::ProcText
