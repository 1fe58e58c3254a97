#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace Dunmorra::Platform {

// Whether a process with this id is running (<root>/proc/<pid> exists).
bool processIsRunning(std::int32_t pid, const std::string& root = "/");

// The first running process (in /proc order) that the desktop launched as
// the application appId: its control group's last part is a systemd app
// unit naming the id ("app-gnome-org.gnome.Rhythmbox3-4242.scope",
// "app-flatpak-org.mozilla.firefox-1234.scope").
std::optional<std::int32_t> runningProcessOfApplication(const std::string& appId, const std::string& root = "/");

// The file name of the process's executable, else its short kernel name;
// empty when the process is gone.
std::string processExecutableName(std::int32_t pid, const std::string& root = "/");

} // namespace Dunmorra::Platform
