#pragma once

#include <string>

namespace Dunmorra::Platform {

// Where a sound-server client would look for its server.
struct SoundServerPlaces {
    std::string serverVariable;  // $PULSE_SERVER
    std::string runtimeDir;      // $XDG_RUNTIME_DIR
    std::string configHome;      // $XDG_CONFIG_HOME, or ~/.config
    std::string root = "/";      // for /run and /etc

    static SoundServerPlaces fromEnvironment();
};

// False only when no sound server can be there: no server named in the
// environment or the client configuration, and none of the sockets a local
// server listens on exists. Costs a few stat calls, so a machine without a
// sound server is not asked again and again with a whole client connection.
bool soundServerMayBeReachable(const SoundServerPlaces& places);

} // namespace Dunmorra::Platform
