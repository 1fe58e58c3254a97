#include "platform/NetworkInterfaces.h"

#include "platform/linux/TextFile.h"

#include <dirent.h>

#include <algorithm>
#include <string_view>

namespace Dunmorra::Platform {

using namespace Linux;

namespace {

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

} // namespace

NetworkInterfaces::NetworkInterfaces(std::string root)
    : m_dir(joinPath(root, "/sys/class/net/"))
{
}

bool NetworkInterfaces::hasDevice(const std::string& name) const
{
    return pathExists(m_dir + name + "/device");
}

namespace {

bool hasCarrier(const std::string& base)
{
    // The kernel refuses the read (EINVAL) while the interface is down.
    const auto carrier = readIntegerAttribute(base + "carrier");
    return carrier && *carrier == 1;
}

} // namespace

bool NetworkInterfaces::isUp(const std::string& name) const
{
    const std::string base = m_dir + name + "/";
    const auto state = readAttribute(base + "operstate");
    const std::string operstate(state ? trimmed(*state) : std::string_view());
    return InterfaceTraits::isUp(operstate, operstate == "unknown" && hasCarrier(base));
}

InterfaceTraits NetworkInterfaces::traits(const std::string& name) const
{
    const std::string base = m_dir + name + "/";
    InterfaceTraits t;
    t.hasDevice = pathExists(base + "device");
    t.isWireless = pathExists(base + "phy80211") || pathExists(base + "wireless");
    t.operstate = std::string(trimmed(readAttribute(base + "operstate").value_or(std::string())));
    t.carrier = hasCarrier(base);

    bool wireguard = false;
    std::string uevent;
    if (readTextFile(base + "uevent", uevent))
        wireguard = uevent.find("DEVTYPE=wireguard") != std::string::npos;
    // tun_flags marks every tun/tap device, whatever its name (OpenVPN, Tailscale, ZeroTier).
    t.isVpn = pathExists(base + "tun_flags") || wireguard;
    for (std::string_view prefix : {"tun", "tap", "wg", "ppp", "ipsec", "vti", "utun"})
        t.isVpn = t.isVpn || startsWith(name, prefix);
    return t;
}

std::vector<std::string> NetworkInterfaces::wirelessInterfaces() const
{
    std::vector<std::string> out;
    if (DIR* dir = ::opendir(m_dir.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            const std::string base = m_dir + entry->d_name + "/";
            if (pathExists(base + "phy80211") || pathExists(base + "wireless"))
                out.emplace_back(entry->d_name);
        }
        ::closedir(dir);
    }
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace Dunmorra::Platform
