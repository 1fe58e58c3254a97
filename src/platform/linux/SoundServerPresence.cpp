#include "platform/SoundServerPresence.h"

#include "platform/linux/TextFile.h"

#include <cstdlib>
#include <dirent.h>
#include <string_view>

namespace Dunmorra::Platform {

namespace {

std::string variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// A client configuration that names a server sends the client there, socket
// or not; only a line that sets it counts, not a commented one.
bool namesAServer(const std::string& path)
{
    std::string text;
    if (!Linux::readTextFile(path, text))
        return false;
    std::string_view rest(text);
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        const std::string_view line = Linux::trimmed(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (line.rfind("default-server", 0) == 0)
            return true;
    }
    return false;
}

bool anyConfigurationNamesAServer(const SoundServerPlaces& places)
{
    const std::string etc = Linux::joinPath(places.root, "/etc/pulse");
    if (!places.configHome.empty() && namesAServer(places.configHome + "/pulse/client.conf"))
        return true;
    if (namesAServer(etc + "/client.conf"))
        return true;
    const std::string dropIns = etc + "/client.conf.d";
    DIR* dir = ::opendir(dropIns.c_str());
    if (!dir)
        return false;
    bool found = false;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.size() > 5 && name.substr(name.size() - 5) == ".conf" && namesAServer(dropIns + "/" + entry->d_name)) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

} // namespace

SoundServerPlaces SoundServerPlaces::fromEnvironment()
{
    SoundServerPlaces places;
    places.serverVariable = variable("PULSE_SERVER");
    places.runtimeDir = variable("XDG_RUNTIME_DIR");
    places.configHome = variable("XDG_CONFIG_HOME");
    if (places.configHome.empty()) {
        const std::string home = variable("HOME");
        if (!home.empty())
            places.configHome = home + "/.config";
    }
    return places;
}

bool soundServerMayBeReachable(const SoundServerPlaces& places)
{
    if (!places.serverVariable.empty())
        return true;
    if (!places.runtimeDir.empty() && Linux::pathExists(places.runtimeDir + "/pulse/native"))
        return true;
    // A system-wide server.
    if (Linux::pathExists(Linux::joinPath(places.root, "/run/pulse/native"))
        || Linux::pathExists(Linux::joinPath(places.root, "/var/run/pulse/native")))
        return true;
    return anyConfigurationNamesAServer(places);
}

} // namespace Dunmorra::Platform
