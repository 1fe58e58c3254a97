#include "platform/RootVolumeName.h"

#include "platform/linux/TextFile.h"

#include <dirent.h>
#include <unistd.h>

#include <climits>

namespace Dunmorra::Platform {

using namespace Linux;

namespace {

std::string_view baseName(std::string_view path)
{
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::optional<std::string> linkTarget(const std::string& path)
{
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
    if (n <= 0)
        return std::nullopt;
    return std::string(buffer, static_cast<std::size_t>(n));
}

} // namespace

RootVolumeName::RootVolumeName(std::string root)
    : m_root(std::move(root))
{
}

std::string RootVolumeName::decodeOctalEscapes(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    const auto oct = [](char c) { return c >= '0' && c <= '7'; };
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && oct(s[i + 1]) && oct(s[i + 2]) && oct(s[i + 3])) {
            out.push_back(static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0')));
            i += 3;
            continue;
        }
        out.push_back(s[i]);
    }
    return out;
}

std::string RootVolumeName::decodeHexEscapes(std::string_view s)
{
    return Linux::decodeHexEscapes(s);
}

std::optional<std::string> RootVolumeName::read() const
{
    if (!readTextFile(joinPath(m_root, "/proc/self/mountinfo"), m_buffer))
        return std::nullopt;

    // The last "/" entry is the one in effect (a later mount hides earlier ones).
    std::string_view majorMinor;
    std::string_view source;
    bool found = false;
    std::string_view text(m_buffer);
    while (!text.empty()) {
        const auto eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);

        std::string_view rest = line;
        nextField(rest); // mount id
        nextField(rest); // parent id
        const auto devNumbers = nextField(rest);
        nextField(rest); // root within the file system
        if (nextField(rest) != "/")
            continue;
        const auto separator = rest.find(" - ");
        if (separator == std::string_view::npos)
            continue;
        rest.remove_prefix(separator + 3);
        nextField(rest); // file system type
        majorMinor = devNumbers;
        source = nextField(rest);
        found = true;
    }
    if (!found)
        return std::nullopt;

    const std::string decodedSource = decodeOctalEscapes(source);
    if (auto label = labelFromUdev(majorMinor))
        return label;
    if (auto label = labelFromByLabel(majorMinor, decodedSource))
        return label;
    if (!decodedSource.empty() && decodedSource.front() == '/')
        return std::string(baseName(decodedSource));
    return decodedSource;
}

std::optional<std::string> RootVolumeName::labelFromUdev(std::string_view majorMinor) const
{
    std::string data;
    if (!readTextFile(joinPath(m_root, "/run/udev/data/b") + std::string(majorMinor), data))
        return std::nullopt;
    std::optional<std::string> plain;
    std::string_view text(data);
    while (!text.empty()) {
        const auto eol = text.find('\n');
        const std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        constexpr std::string_view kEncoded = "E:ID_FS_LABEL_ENC=";
        constexpr std::string_view kPlain = "E:ID_FS_LABEL=";
        if (line.substr(0, kEncoded.size()) == kEncoded && line.size() > kEncoded.size())
            return decodeHexEscapes(line.substr(kEncoded.size()));
        if (line.substr(0, kPlain.size()) == kPlain && line.size() > kPlain.size())
            plain = std::string(line.substr(kPlain.size()));
    }
    return plain;
}

std::optional<std::string> RootVolumeName::labelFromByLabel(std::string_view majorMinor, std::string_view source) const
{
    // The kernel's name of the mounted device: /sys/dev/block/<maj:min> points at it.
    std::string deviceName;
    if (auto target = linkTarget(joinPath(m_root, "/sys/dev/block/") + std::string(majorMinor)))
        deviceName = baseName(*target);
    std::string sourceName(baseName(source));
    if (!source.empty() && source.front() == '/') {
        if (auto target = linkTarget(joinPath(m_root, std::string(source)))) // /dev/mapper/x -> ../dm-0
            sourceName = baseName(*target);
    }

    const std::string dir = joinPath(m_root, "/dev/disk/by-label");
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return std::nullopt;
    std::optional<std::string> label;
    while (const dirent* entry = ::readdir(d)) {
        if (entry->d_name[0] == '.')
            continue;
        const auto target = linkTarget(dir + "/" + entry->d_name);
        if (!target)
            continue;
        const auto name = baseName(*target);
        if ((!deviceName.empty() && name == deviceName) || name == sourceName) {
            label = decodeHexEscapes(entry->d_name);
            break;
        }
    }
    ::closedir(d);
    return label;
}

} // namespace Dunmorra::Platform
