#pragma once

#include <optional>
#include <string>
#include <vector>

namespace Dunmorra::Platform {

struct InterfaceAddress {
    std::string name;
    std::string ipv4;  // dotted
};

// Every IPv4 address of every interface, in getifaddrs' order; none when the
// list cannot be taken.
std::optional<std::vector<InterfaceAddress>> ipv4Addresses();

} // namespace Dunmorra::Platform
