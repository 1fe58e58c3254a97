#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace Dunmorra::Platform {

// The kernel's short name of a process (<root>/proc/<pid>/comm, at most 15
// bytes, newline dropped); empty when the process is gone or unreadable.
std::string processShortName(std::int32_t pid, const std::string& root = "/");

// The display name of an installed application, from the Name= line of the
// desktop entry "<appId>.desktop" in the XDG applications folders, localized
// for the current locale where the entry has a translation. Absent when no
// such entry exists or it has no name.
std::optional<std::string> desktopEntryName(const std::string& appId);

// The keys and values of the [Desktop Entry] group of "<appId>.desktop" in
// the XDG applications folders, blanks around both trimmed. Absent when the
// id is empty or holds a path separator (it would point outside those
// folders), or no such entry can be read.
std::optional<std::map<std::string, std::string>> desktopEntryValues(const std::string& appId);

} // namespace Dunmorra::Platform
