#pragma once

#include "platform/NetworkCounters.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace Dunmorra {

// The interfaces whose traffic the rates and the day's totals count:
// hardware links, ppp and wwan, so bridges, veth pairs and tunnels do not
// count what the link below them already carries. Where none of these is up
// (a desktop in a container, whose uplink is a veth), the interfaces holding
// the default route count instead. The connection label and the interface
// table name these same links.
struct CountedLinks {
    using Test = std::function<bool(const std::string&)>;

    std::vector<std::string> names;     // in the kernel's order, each once
    std::vector<std::string> routed;    // the default-route links among them, when they stand in

    // A modem's link: it may have no device node but be the only uplink.
    static bool isCellular(std::string_view name);
    static bool isCandidate(const std::string& name, const Test& hasDevice);

    // Without isUp every candidate is taken as up.
    static CountedLinks select(const std::vector<Platform::InterfaceCounters>& rows, const Test& hasDevice,
                               const Test& isUp, const std::function<std::vector<std::string>()>& defaultRoute);

    bool contains(const std::string& name) const;
    bool isRouted(const std::string& name) const;
};

} // namespace Dunmorra
