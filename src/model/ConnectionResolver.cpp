#include "model/ConnectionResolver.h"

#include "model/CountedLinks.h"
#include "platform/DefaultRoute.h"
#include "platform/NetworkManagerClient.h"
#include "platform/WifiTools.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string_view>

namespace Dunmorra {

namespace {

bool startsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

bool contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

ConnectionResolver::Sources ConnectionResolver::linuxSources(const Options& options)
{
    const std::string root = options.root;
    auto sysfs = std::make_shared<Platform::NetworkInterfaces>(root);
    auto nm = std::make_shared<Platform::NetworkManagerClient>(
        options.sessionBus ? Platform::NetworkManagerClient::Bus::Session : Platform::NetworkManagerClient::Bus::System,
        options.deadline);
    auto tools = std::make_shared<Platform::WifiTools>(options.toolDirectories, options.deadline);
    return Sources{
        // A reader of its own per call: resolutions may overlap.
        [root]() -> std::optional<Counters> {
            const Platform::NetworkCounters reader(root);
            const auto* rows = reader.read();
            return rows ? std::optional<Counters>(*rows) : std::nullopt;
        },
        [sysfs](const std::string& name) { return sysfs->traits(name); },
        [sysfs] { return sysfs->wirelessInterfaces(); },
        [] { return Platform::ipv4Addresses(); },
        [root] { return Platform::DefaultRoute(root).interfaces(); },
        [nm](const QString& iface) { return nm->activeSsid(iface); },
        [tools](const QString& iface) { return tools->ssidFromIw(iface); },
        [tools](const QString& iface) { return tools->ssidFromIwgetid(iface); },
    };
}

ConnectionResolver::ConnectionResolver(Sources sources)
    : m_sources(std::move(sources))
{
}

std::optional<QString> ConnectionResolver::wifiName(const std::string& interfaceName,
                                                    const std::vector<std::string>& wireless) const
{
    const QString iface = QString::fromStdString(interfaceName);
    if (m_sources.networkManager) {
        if (auto name = m_sources.networkManager(iface))
            return name;
    }
    if (m_sources.iw) {
        if (auto name = m_sources.iw(iface))
            return name;
        for (const auto& other : wireless) {
            if (other == interfaceName)
                continue;
            if (auto name = m_sources.iw(QString::fromStdString(other)))
                return name;
        }
    }
    if (m_sources.iwgetid)
        return m_sources.iwgetid(iface);
    return std::nullopt;
}

ConnectionResult ConnectionResolver::resolve(int authorizationStatus) const
{
    const auto wireless = m_sources.wirelessInterfaces ? m_sources.wirelessInterfaces() : std::vector<std::string>{};
    std::map<std::string, Platform::InterfaceTraits> traitCache;
    const auto traits = [&](const std::string& name) -> const Platform::InterfaceTraits& {
        auto it = traitCache.find(name);
        if (it == traitCache.end())
            it = traitCache.emplace(name, m_sources.traits ? m_sources.traits(name) : Platform::InterfaceTraits{}).first;
        return it->second;
    };

    const auto isUp = [&](const std::string& name) { return traits(name).isUp(); };
    const auto hasDevice = [&](const std::string& name) { return traits(name).hasDevice; };

    // The Wi-Fi interface in use: the first that is up, else the first there is.
    std::optional<std::string> wifi;
    for (const auto& name : wireless) {
        if (isUp(name)) {
            wifi = name;
            break;
        }
    }
    if (!wifi && !wireless.empty())
        wifi = wireless.front();
    // A client interface is only "up" once associated.
    const bool station = wifi && isUp(*wifi);

    const auto counters = m_sources.counters ? m_sources.counters() : std::nullopt;
    const auto addresses = m_sources.addresses ? m_sources.addresses() : std::nullopt;
    const auto firstAddress = [&](const std::string& name) -> std::optional<QString> {
        if (addresses) {
            for (const auto& a : *addresses) {
                if (a.name == name)
                    return QString::fromStdString(a.ipv4);
            }
        }
        return std::nullopt;
    };

    const CountedLinks counted = counters ? CountedLinks::select(*counters, hasDevice, isUp, m_sources.defaultRoute)
                                          : CountedLinks{};
    ConnectionResult result;
    if (!station) {
        // The links the totals count, in this order: a wired link with its
        // carrier up (an unplugged cable that once carried traffic is no
        // connection), a modem's link, then the default route standing in.
        std::optional<std::string> link;
        QString label;
        const auto pick = [&](const QString& as, const auto& accepts) {
            if (link || !counters)
                return;
            for (const auto& row : *counters) {
                if (counted.contains(row.name) && accepts(row)) {
                    link = row.name;
                    label = as;
                    return;
                }
            }
        };
        pick(NetworkLabels::ethernet, [&](const Platform::InterfaceCounters& row) {
            return row.rxBytes > 0 && !CountedLinks::isCellular(row.name) && !contains(wireless, row.name)
                && hasDevice(row.name) && isUp(row.name);
        });
        pick(NetworkLabels::cellular,
             [&](const Platform::InterfaceCounters& row) { return CountedLinks::isCellular(row.name) && isUp(row.name); });
        pick(NetworkLabels::ethernet, [&](const Platform::InterfaceCounters& row) { return counted.isRouted(row.name); });
        if (link) {
            result.label = label;
            result.ipAddress = firstAddress(*link);
        } else {
            result.label = NetworkLabels::notConnected;
        }
    } else {
        result.label = NetworkLabels::wifi;
        result.ssid = wifiName(*wifi, wireless);
        result.needsLocation = !result.ssid && authorizationStatus >= 0 && authorizationStatus <= 2;
        result.ipAddress = firstAddress(*wifi);
    }

    // The interface table.
    if (counters) {
        std::map<std::string, QString> lastAddress;
        if (addresses) {
            for (const auto& a : *addresses) {
                if (!a.ipv4.empty())
                    lastAddress[a.name] = QString::fromStdString(a.ipv4);
            }
        }
        std::vector<std::string> seen;
        for (auto row = counters->rbegin(); row != counters->rend(); ++row) {
            // Later rows of the same name replace earlier ones; walk backwards and keep the first seen.
            if (contains(seen, row->name))
                continue;
            seen.push_back(row->name);
            bool skipped = false;
            for (std::string_view prefix : {"lo", "awdl", "llw", "bridge", "p2p"})
                skipped = skipped || startsWith(row->name, prefix);
            if (skipped || (row->rxBytes == 0 && row->txBytes == 0))
                continue;
            const auto& t = traits(row->name);
            QString kind;
            if (contains(wireless, row->name))
                kind = NetworkLabels::kindWifi;
            else if (CountedLinks::isCellular(row->name))
                kind = NetworkLabels::kindCellular;
            else if (t.hasDevice && counted.contains(row->name))
                kind = NetworkLabels::kindEthernet;
            else if (t.isVpn)
                kind = NetworkLabels::kindVPN;
            else if (counted.isRouted(row->name))
                kind = NetworkLabels::kindEthernet; // a container's veth uplink
            else
                continue; // bridges, veth pairs, docker0, ...
            std::optional<QString> address;
            if (auto it = lastAddress.find(row->name); it != lastAddress.end())
                address = it->second;
            result.interfaces.push_back(
                InterfaceInfo{QString::fromStdString(row->name), kind, address, row->txBytes, row->rxBytes});
        }
        std::stable_sort(result.interfaces.begin(), result.interfaces.end(),
                         [](const InterfaceInfo& a, const InterfaceInfo& b) { return a.id < b.id; });
    }
    return result;
}

} // namespace Dunmorra
