#pragma once

#include <string>
#include <vector>

namespace Dunmorra::Platform {

// What sysfs says about one network interface.
struct InterfaceTraits {
    bool hasDevice = false;  // backed by hardware (Ethernet, Wi-Fi, USB tethering, modem)
    bool isWireless = false;
    bool isVpn = false;      // tun/tap, WireGuard, ppp, IPsec tunnels
    std::string operstate;   // "up", "down", "dormant", "unknown", ... ; empty when unreadable
    bool carrier = false;    // unreadable (the link is down) counts as none

    // ppp links, modems and many virtual NICs never report more than
    // "unknown": for them the carrier tells.
    static bool isUp(const std::string& operstate, bool carrier)
    {
        return operstate == "up" || (operstate == "unknown" && carrier);
    }
    bool isUp() const { return isUp(operstate, carrier); }
};

// Reads <root>/sys/class/net. Thread-safe (no shared state).
class NetworkInterfaces {
public:
    explicit NetworkInterfaces(std::string root = "/");
    InterfaceTraits traits(const std::string& name) const;
    bool hasDevice(const std::string& name) const;
    // Whether the link is up (InterfaceTraits::isUp), for the once-a-second
    // pass: the carrier is read only where the operstate leaves it open.
    bool isUp(const std::string& name) const;
    // Every wireless interface, sorted by name.
    std::vector<std::string> wirelessInterfaces() const;

private:
    std::string m_dir;
};

} // namespace Dunmorra::Platform
