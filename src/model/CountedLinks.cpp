#include "model/CountedLinks.h"

#include <algorithm>

namespace Dunmorra {

namespace {

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

bool holds(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

bool CountedLinks::isCellular(std::string_view name)
{
    return startsWith(name, "ppp") || startsWith(name, "wwan");
}

bool CountedLinks::isCandidate(const std::string& name, const Test& hasDevice)
{
    for (std::string_view prefix : {"lo", "utun", "awdl", "llw", "bridge", "p2p", "ipsec"}) {
        if (startsWith(name, prefix))
            return false;
    }
    if (isCellular(name))
        return true;
    return hasDevice && hasDevice(name);
}

CountedLinks CountedLinks::select(const std::vector<Platform::InterfaceCounters>& rows, const Test& hasDevice,
                                  const Test& isUp, const std::function<std::vector<std::string>()>& defaultRoute)
{
    CountedLinks links;
    bool anyUp = false;
    for (const auto& row : rows) {
        if (!isCandidate(row.name, hasDevice) || holds(links.names, row.name))
            continue;
        links.names.push_back(row.name);
        anyUp = anyUp || !isUp || isUp(row.name);
    }
    if (!anyUp && defaultRoute) {
        const std::vector<std::string> routes = defaultRoute();
        for (const auto& row : rows) {
            if (!holds(routes, row.name) || holds(links.routed, row.name))
                continue;
            links.routed.push_back(row.name);
            if (!holds(links.names, row.name))
                links.names.push_back(row.name);
        }
    }
    return links;
}

bool CountedLinks::contains(const std::string& name) const
{
    return holds(names, name);
}

bool CountedLinks::isRouted(const std::string& name) const
{
    return holds(routed, name);
}

} // namespace Dunmorra
