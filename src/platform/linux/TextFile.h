#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Dunmorra::Platform::Linux {

// Reads a whole (small) procfs or sysfs file into `into`, reusing its storage.
// False when the file cannot be opened or read.
bool readTextFile(const std::string& path, std::string& into);

// The first line of a sysfs attribute without its line break; none when the
// attribute is missing or the driver refuses it (EIO, ENODATA while busy).
std::optional<std::string> readAttribute(const std::string& path);
std::optional<std::int64_t> readIntegerAttribute(const std::string& path);

bool pathExists(const std::string& path);

// What sysfs and procfs texts may carry around a value: blanks, line breaks
// and the NUL bytes of device-tree strings.
inline constexpr std::string_view kBlanksAndNul{" \t\r\n\0", 5};

inline std::string_view trimmed(std::string_view s, std::string_view chars = " \t\r\n")
{
    const auto first = s.find_first_not_of(chars);
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(chars);
    return s.substr(first, last - first + 1);
}

template <typename T>
std::optional<T> parseNumber(std::string_view s)
{
    T value{};
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end == s.data())
        return std::nullopt;
    return value;
}

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

// Decodes "\x2f"-style escapes (iw's SSIDs); anything
// else, a lone or short escape included, is kept as it stands.
std::string decodeHexEscapes(std::string_view s);

// Splits off the next whitespace-separated field of `rest`.
inline std::string_view nextField(std::string_view& rest)
{
    const auto start = rest.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(start);
    const auto end = rest.find_first_of(" \t\n");
    const auto field = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    return field;
}

inline std::string joinPath(const std::string& root, std::string_view absolute)
{
    std::string out = root;
    while (!out.empty() && out.back() == '/')
        out.pop_back();
    out.append(absolute);
    return out;
}

} // namespace Dunmorra::Platform::Linux
