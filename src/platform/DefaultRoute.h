#pragma once

#include <string>
#include <vector>

namespace Dunmorra::Platform {

// The interfaces that hold a default route, from <root>/proc/net/route (IPv4)
// and <root>/proc/net/ipv6_route (IPv6). Only routes that are up and not
// rejecting count; loopback (where the kernel parks IPv6's unreachable
// default) never does. Not thread-safe: it keeps its read buffer between calls.
class DefaultRoute {
public:
    explicit DefaultRoute(std::string root = "/");
    // Sorted, each once; empty when there is no default route or neither
    // table can be read.
    std::vector<std::string> interfaces() const;

private:
    std::string m_ipv4Path;
    std::string m_ipv6Path;
    mutable std::string m_buffer;
};

} // namespace Dunmorra::Platform
