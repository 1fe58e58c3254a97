#pragma once

#include "model/NetworkSnapshot.h"
#include "platform/InterfaceAddresses.h"
#include "platform/NetworkCounters.h"
#include "platform/NetworkInterfaces.h"

#include <QList>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace Dunmorra {

struct ConnectionResult {
    QString label;                     // NetworkLabels: Wi-Fi, Ethernet, Cellular, Not connected
    std::optional<QString> ssid;
    bool needsLocation = false;
    std::optional<QString> ipAddress;
    QList<InterfaceInfo> interfaces;
    bool operator==(const ConnectionResult&) const = default;
};

// Works out the active connection: which link carries it, the joined Wi-Fi
// network's name, its IPv4 address, and the table of interfaces with traffic.
// It may wait on D-Bus and launched tools, so it runs on worker threads only;
// resolve() touches no shared state and may run twice at once.
class ConnectionResolver {
public:
    using Counters = std::vector<Platform::InterfaceCounters>;
    using SsidSource = std::function<std::optional<QString>(const QString& interfaceName)>;
    struct Sources {
        std::function<std::optional<Counters>()> counters;
        std::function<Platform::InterfaceTraits(const std::string&)> traits;
        std::function<std::vector<std::string>()> wirelessInterfaces;
        std::function<std::optional<std::vector<Platform::InterfaceAddress>>()> addresses;
        // The interfaces holding a default route: they stand in where no counted link is up.
        std::function<std::vector<std::string>()> defaultRoute;
        SsidSource networkManager;    // tried first
        SsidSource iw;                // then for the interface, then for the other wireless ones
        SsidSource iwgetid;           // last
    };

    struct Options {
        std::string root = "/";
        bool sessionBus = false;      // NetworkManager lives on the system bus
        QStringList toolDirectories = {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")};
        std::chrono::milliseconds deadline = std::chrono::seconds(3);
    };
    static Sources linuxSources(const Options& options);
    static Sources linuxSources() { return linuxSources(Options{}); }

    explicit ConnectionResolver(Sources sources);

    ConnectionResult resolve(int authorizationStatus) const;

private:
    std::optional<QString> wifiName(const std::string& interfaceName, const std::vector<std::string>& wireless) const;

    Sources m_sources;
};

} // namespace Dunmorra
