#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace Dunmorra::Platform {

// The kernel's short name of a process (<root>/proc/<pid>/comm, at most 15
// bytes, newline dropped); empty when the process is gone or unreadable.
std::string processShortName(std::int32_t pid, const std::string& root = "/");

// An installed application's facts come from its desktop entry
// "<appId>.desktop" as the desktop itself finds and reads it: the user's
// folder before the system's, an entry in a subfolder under its joined id
// ("kde/foo.desktop" is "kde-foo"), escapes decoded. An entry that is hidden,
// is no application or whose program is not installed counts as absent, as
// does an id that is empty or holds a path separator.

// The entry's Name, localized for the desktop's language (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG, with "es_ES@valencia" falling back to "es_ES", then
// "es"). Absent when there is no such entry or it has no name.
std::optional<std::string> desktopEntryName(const std::string& appId);

// The entry's icon: a theme icon name or an absolute path. Absent when there
// is no such entry or it names no icon.
std::optional<std::string> desktopEntryIcon(const std::string& appId);

} // namespace Dunmorra::Platform
