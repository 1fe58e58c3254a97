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
};

// Reads <root>/sys/class/net. Thread-safe (no shared state).
class NetworkInterfaces {
public:
    explicit NetworkInterfaces(std::string root = "/");
    InterfaceTraits traits(const std::string& name) const;
    bool hasDevice(const std::string& name) const;
    // The operstate alone, for the once-a-second pass; empty when unreadable.
    std::string operstate(const std::string& name) const;
    // Every wireless interface, sorted by name.
    std::vector<std::string> wirelessInterfaces() const;

private:
    std::string m_dir;
};

} // namespace Dunmorra::Platform
