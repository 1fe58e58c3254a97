#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace Dunmorra::Platform {

// The display name of the file system mounted at "/": its label where it has
// one (udev's database, else <root>/dev/disk/by-label), otherwise the name of
// the device it was mounted from ("nvme0n1p2", a mapper name, a dataset).
// Not thread-safe: it keeps its read buffer between calls.
class RootVolumeName {
public:
    explicit RootVolumeName(std::string root = "/");
    // None only when the mount table cannot be read or has no "/" entry.
    std::optional<std::string> read() const;

    // "\040"-style escapes of the mount table, "\x20"-style escapes of udev.
    static std::string decodeOctalEscapes(std::string_view s);
    static std::string decodeHexEscapes(std::string_view s);

private:
    std::optional<std::string> labelFromUdev(std::string_view majorMinor) const;
    std::optional<std::string> labelFromByLabel(std::string_view majorMinor, std::string_view source) const;

    std::string m_root;
    mutable std::string m_buffer;
};

} // namespace Dunmorra::Platform
