#include "platform/InterfaceAddresses.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace Dunmorra::Platform {

std::optional<std::vector<InterfaceAddress>> ipv4Addresses()
{
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return std::nullopt;
    std::vector<InterfaceAddress> out;
    for (const ifaddrs* a = list; a; a = a->ifa_next) {
        if (!a->ifa_name || !a->ifa_addr || a->ifa_addr->sa_family != AF_INET)
            continue;
        char text[INET_ADDRSTRLEN] = {};
        const auto* in = reinterpret_cast<const sockaddr_in*>(a->ifa_addr);
        if (!::inet_ntop(AF_INET, &in->sin_addr, text, sizeof text))
            continue;
        out.push_back({a->ifa_name, text});
    }
    ::freeifaddrs(list);
    return out;
}

} // namespace Dunmorra::Platform
