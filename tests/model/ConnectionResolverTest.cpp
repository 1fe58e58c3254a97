#include "model/ConnectionResolver.h"

#include "model/LocationWatcher.h"
#include "model/NetworkProvider.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace Dunmorra;
namespace support = Dunmorra::Test;

namespace {

constexpr int kAuthorized = LocationWatcher::authorizedWhenInUse;

struct Fakes {
    std::optional<QString> nm, iw, iwgetid;
    std::atomic<int> nmCalls{0}, iwCalls{0}, iwgetidCalls{0};
    QStringList iwInterfaces;
};

ConnectionResolver::Sources sources(const char* machine, Fakes& fakes)
{
    ConnectionResolver::Options options;
    options.root = support::fixturePath(QStringLiteral("net/%1").arg(machine)).toStdString();
    auto s = ConnectionResolver::linuxSources(options);
    s.addresses = [] {
        return std::optional<std::vector<Platform::InterfaceAddress>>({
            {"lo", "127.0.0.1"}, {"enp5s0", "192.168.1.7"}, {"wlan0", "10.1.0.4"},
            {"enp5s0", "192.168.1.8"}, {"tun0", "10.8.0.2"},
        });
    };
    s.networkManager = [&fakes](const QString&) { ++fakes.nmCalls; return fakes.nm; };
    s.iw = [&fakes](const QString& iface) { ++fakes.iwCalls; fakes.iwInterfaces << iface; return fakes.iw; };
    s.iwgetid = [&fakes](const QString&) { ++fakes.iwgetidCalls; return fakes.iwgetid; };
    return s;
}

// Forces one interface's carrier state over what the fixture says.
void forceOperstate(ConnectionResolver::Sources& s, std::string name, std::string state)
{
    s.traits = [inner = s.traits, name, state](const std::string& n) {
        auto t = inner(n);
        if (n == name)
            t.operstate = state;
        return t;
    };
}

} // namespace

TEST(ConnectionResolver, WiredConnectionNeedsAnUpLinkWithTraffic)
{
    Fakes fakes;
    const auto result = ConnectionResolver(sources("desktop", fakes)).resolve(kAuthorized);
    // enp9s0 comes first and has received bytes, but its cable is out
    EXPECT_EQ(result.label, NetworkLabels::ethernet);
    EXPECT_EQ(result.ipAddress, QStringLiteral("192.168.1.7")); // the connection's first address
    EXPECT_FALSE(result.ssid);
    EXPECT_EQ(fakes.nmCalls + fakes.iwCalls + fakes.iwgetidCalls, 0);

    auto unplugged = sources("desktop", fakes);
    forceOperstate(unplugged, "enp5s0", "down");
    const auto none = ConnectionResolver(unplugged).resolve(kAuthorized);
    EXPECT_EQ(none.label, NetworkLabels::notConnected);
    EXPECT_FALSE(none.ipAddress);
}

// The label and the table name the links whose bytes the rates count: a
// container's veth holding the default route, a virtual NIC that reports
// "unknown" with its carrier on (not eth1, whose carrier is off, for all its
// traffic), a modem's wwan link, a serial modem's ppp link.
TEST(ConnectionResolver, TheConnectionNamesTheLinksTheTotalsCount)
{
    struct Row { const char* id; QString kind; };
    struct Case { const char* machine; QString label; Platform::InterfaceAddress address; std::vector<Row> table; };
    const Case cases[] = {
        {"container", NetworkLabels::ethernet, {"eth0", "172.17.0.2"}, {{"eth0", NetworkLabels::kindEthernet}}},
        {"vnic", NetworkLabels::ethernet, {"eth0", "10.0.2.15"}, {{"eth0", NetworkLabels::kindEthernet}, {"eth1", NetworkLabels::kindEthernet}}},
        {"wwan", NetworkLabels::cellular, {"wwan0", "10.64.1.9"}, {{"wwan0", NetworkLabels::kindCellular}}},
        {"ppp", NetworkLabels::cellular, {"ppp0", "10.64.2.3"}, {{"ppp0", NetworkLabels::kindCellular}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.machine);
        ConnectionResolver::Options options;
        options.root = support::fixturePath(QStringLiteral("net/%1").arg(c.machine)).toStdString();
        auto s = ConnectionResolver::linuxSources(options);
        s.addresses = [&c] {
            return std::optional<std::vector<Platform::InterfaceAddress>>({{"eth1", "10.0.3.15"}, c.address});
        };
        const auto result = ConnectionResolver(s).resolve(kAuthorized);
        EXPECT_EQ(result.label, c.label);
        EXPECT_EQ(result.ipAddress, QString::fromStdString(c.address.ipv4));
        ASSERT_EQ(result.interfaces.size(), c.table.size());

        NetworkProvider provider(NetworkProvider::linuxReaders(options.root), nullptr);
        ASSERT_TRUE(provider.readCounters());
        std::vector<std::string> counted; // those that carried anything: an idle port is no row
        for (const auto& [name, bytes] : provider.counters().devices()) {
            if (bytes.in > 0 || bytes.out > 0)
                counted.push_back(name);
        }
        std::vector<std::string> named;
        for (std::size_t i = 0; i < c.table.size(); ++i) {
            EXPECT_EQ(result.interfaces[i].id, QLatin1String(c.table[i].id));
            EXPECT_EQ(result.interfaces[i].kind, c.table[i].kind);
            named.push_back(result.interfaces[i].id.toStdString());
        }
        EXPECT_EQ(named, counted);
    }
}

TEST(ConnectionResolver, InterfaceTableKeepsLinksAndTunnelsWithTraffic)
{
    Fakes fakes;
    const auto result = ConnectionResolver(sources("desktop", fakes)).resolve(kAuthorized);
    // lo, docker0, veth and the idle adapter are left out
    ASSERT_EQ(result.interfaces.size(), 4);
    const InterfaceInfo expected[] = {
        {QStringLiteral("enp5s0"), NetworkLabels::kindEthernet, QStringLiteral("192.168.1.8"), 300000, 900000},
        {QStringLiteral("enp9s0"), NetworkLabels::kindEthernet, std::nullopt, 0, 777},
        {QStringLiteral("tun0"), NetworkLabels::kindVPN, QStringLiteral("10.8.0.2"), 1500, 3000},
        {QStringLiteral("wg0"), NetworkLabels::kindVPN, std::nullopt, 1000, 2000},
    };
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(result.interfaces[i], expected[i]) << i;
}

TEST(ConnectionResolver, WifiNameFromNetworkManagerThenTheTools)
{
    struct Case {
        std::optional<QString> nm, iw, iwgetid;
        int status;
        std::optional<QString> ssid;
        bool needsLocation;
        int iwCalls, iwgetidCalls;
    };
    const Case cases[] = {
        {QStringLiteral("Home"), QStringLiteral("x"), QStringLiteral("y"), kAuthorized, QStringLiteral("Home"), false, 0, 0},
        {std::nullopt, QStringLiteral("Cafe Net"), QStringLiteral("y"), kAuthorized, QStringLiteral("Cafe Net"), false, 1, 0},
        {std::nullopt, std::nullopt, QStringLiteral("Attic"), kAuthorized, QStringLiteral("Attic"), false, 1, 1},
        {std::nullopt, std::nullopt, std::nullopt, kAuthorized, std::nullopt, false, 1, 1},
        {std::nullopt, std::nullopt, std::nullopt, LocationWatcher::denied, std::nullopt, true, 1, 1},
        {QStringLiteral("Home"), {}, {}, LocationWatcher::denied, QStringLiteral("Home"), false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ssid.value_or(QStringLiteral("<none>")).toStdString());
        Fakes fakes;
        fakes.nm = c.nm;
        fakes.iw = c.iw;
        fakes.iwgetid = c.iwgetid;
        const auto result = ConnectionResolver(sources("laptop", fakes)).resolve(c.status);
        EXPECT_EQ(result.label, NetworkLabels::wifi);
        EXPECT_EQ(result.ssid, c.ssid);
        EXPECT_EQ(result.needsLocation, c.needsLocation);
        EXPECT_EQ(result.ipAddress, QStringLiteral("10.1.0.4"));
        EXPECT_EQ(fakes.iwCalls, c.iwCalls);
        EXPECT_EQ(fakes.iwgetidCalls, c.iwgetidCalls);
    }
}

TEST(ConnectionResolver, WifiNotAssociatedFallsBackToTheWiredRules)
{
    Fakes fakes;
    fakes.nm = QStringLiteral("Home");
    auto s = sources("laptop", fakes);
    forceOperstate(s, "wlan0", "dormant");
    const auto result = ConnectionResolver(s).resolve(kAuthorized);
    EXPECT_EQ(result.label, NetworkLabels::notConnected); // the laptop's cable port is down
    EXPECT_FALSE(result.ssid);
    EXPECT_EQ(fakes.nmCalls, 0);
    ASSERT_EQ(result.interfaces.size(), 2);
    EXPECT_EQ(result.interfaces[1].id, QStringLiteral("wlan0"));
    EXPECT_EQ(result.interfaces[1].kind, NetworkLabels::kindWifi);
}

TEST(ConnectionResolver, UnreadableCountersGiveNoTableAndNoWiredLink)
{
    Fakes fakes;
    auto s = sources("desktop", fakes);
    s.counters = [] { return std::optional<ConnectionResolver::Counters>(); };
    const auto result = ConnectionResolver(s).resolve(kAuthorized);
    EXPECT_EQ(result.label, NetworkLabels::notConnected);
    EXPECT_TRUE(result.interfaces.isEmpty());
}
