#include "model/NetworkProvider.h"

#include "model/CountedLinks.h"
#include "support/EventLoop.h"
#include "support/ManualClock.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace Dunmorra;
namespace support = Dunmorra::Test;

namespace {

// The desktop fixture's sysfs with a /proc/net/dev the test swaps between passes.
class NetRoot {
public:
    NetRoot()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("proc/net"));
        QFile::link(support::fixturePath(QStringLiteral("net/desktop/sys")), m_dir.filePath(QStringLiteral("sys")));
    }
    std::string path() const { return m_dir.path().toStdString(); }
    void use(const char* reading)
    {
        const QString target = m_dir.filePath(QStringLiteral("proc/net/dev"));
        QFile::remove(target);
        if (reading)
            QFile::copy(support::fixturePath(QStringLiteral("net/%1").arg(reading)), target);
    }

private:
    QTemporaryDir m_dir;
};

// A resolver on an associated wlan0 whose NetworkManager answer the test
// scripts; calls can be held back to finish out of order.
struct FakeNetwork {
    std::atomic<int> calls{0};
    std::atomic<int> held{-1};       // this call waits until released
    std::atomic<bool> release{false};

    std::shared_ptr<const ConnectionResolver> resolver()
    {
        ConnectionResolver::Sources s;
        s.wirelessInterfaces = [] { return std::vector<std::string>{"wlan0"}; };
        s.traits = [](const std::string&) { return Platform::InterfaceTraits{true, true, false, "up"}; };
        s.networkManager = [this](const QString&) -> std::optional<QString> {
            const int n = calls++;
            if (n == held) {
                while (!release)
                    std::this_thread::yield();
            }
            return QStringLiteral("net-%1").arg(n);
        };
        return std::make_shared<const ConnectionResolver>(std::move(s));
    }
};

} // namespace

TEST(NetworkProvider, RatesCountHardwareLinksOnly)
{
    NetRoot root;
    FakeNetwork network;
    support::ManualClock clock;
    NetworkProvider provider(NetworkProvider::linuxReaders(root.path()), network.resolver(), clock);
    root.use("dev-1");
    provider.start(std::chrono::hours(1));
    EXPECT_TRUE(provider.history().isEmpty());

    root.use("dev-2");
    clock.advance(1.0);
    provider.sample();
    // lo, docker0 and tun0 traffic is never counted
    EXPECT_DOUBLE_EQ(provider.current().uploadBytesPerSec, 2000.0);
    EXPECT_DOUBLE_EQ(provider.current().downloadBytesPerSec, 10000.0);
    EXPECT_EQ(provider.counters().devices(), (std::map<std::string, ByteCounts>{{"enp5s0", {60000, 12000}}}));

    clock.advance(2.0);
    provider.sample();
    EXPECT_EQ(provider.current().uploadBytesPerSec, 0.0);
    EXPECT_EQ(provider.uploadHistory().values(), (std::vector<double>{2000.0, 0.0}));
    EXPECT_EQ(provider.downloadHistory().size(), 2);
    EXPECT_TRUE(support::settle());
}

// A list with no counted interface (enp5s0 gone in dev-3) and a failed read
// are no readings: nothing is published and the baseline stays, so the next
// good reading counts across them instead of taking every counter as new.
TEST(NetworkProvider, EmptyAndFailedReadsKeepTheBaseline)
{
    NetRoot root;
    FakeNetwork network;
    support::ManualClock clock;
    NetworkProvider provider(NetworkProvider::linuxReaders(root.path()), network.resolver(), clock);
    root.use("dev-1");
    provider.start(std::chrono::hours(1));
    const DeviceCounters baseline = provider.counters();
    for (const char* reading : {"dev-3", static_cast<const char*>(nullptr)}) {
        root.use(reading);
        clock.advance(1.0);
        EXPECT_FALSE(provider.readCounters());
        EXPECT_EQ(provider.counters(), baseline);
    }
    EXPECT_TRUE(provider.history().isEmpty());

    root.use("dev-2");
    clock.advance(1.0);
    provider.sample();
    EXPECT_DOUBLE_EQ(provider.current().downloadBytesPerSec, 10000.0 / 3.0);
    EXPECT_TRUE(support::settle());
}

TEST(NetworkProvider, PassesTooCloseTogetherRepublishToAllRings)
{
    NetRoot root;
    FakeNetwork network;
    support::ManualClock clock;
    NetworkProvider provider(NetworkProvider::linuxReaders(root.path()), network.resolver(), clock);
    root.use("dev-1");
    provider.readCounters();
    root.use("dev-2");
    clock.advance(1.0);
    provider.sample();
    const NetworkSnapshot first = provider.current();

    root.use("dev-4");
    clock.advance(0.05);
    provider.sample();
    EXPECT_EQ(provider.current(), first);
    EXPECT_EQ(provider.history().size(), 2);
    EXPECT_EQ(provider.uploadHistory().size(), 2);
    EXPECT_EQ(provider.downloadHistory().size(), 2);

    clock.advance(1.0);
    provider.sample(); // measured from the 0.05 s reading: no change
    EXPECT_EQ(provider.current().uploadBytesPerSec, 0.0);
    EXPECT_TRUE(support::settle());
}

TEST(NetworkProvider, CountedInterfacesAreLinksWithADevicePppAndWwan)
{
    const auto device = [](const std::string& name) { return name == "enp5s0" || name == "wlan0" || name == "lo"; };
    const std::pair<const char*, bool> cases[] = {
        {"enp5s0", true}, {"wlan0", true}, {"ppp0", true}, {"wwan0", true},
        {"lo", false}, {"docker0", false}, {"veth1a2b", false}, {"tun0", false},
        {"wg0", false}, {"bridge0", false}, {"ipsec0", false},
    };
    for (const auto& [name, counted] : cases)
        EXPECT_EQ(CountedLinks::isCandidate(name, device), counted) << name;
}

// Inside a container the only uplink is a veth without a device: the
// interface holding the default route counts. Where a hardware link is up,
// a default route through a tunnel on top of it adds nothing twice.
TEST(NetworkProvider, WithoutAnUpLinkTheDefaultRouteCounts)
{
    support::ManualClock clock;
    {
        const std::string container = support::fixturePath(QStringLiteral("net/container")).toStdString();
        NetworkProvider provider(NetworkProvider::linuxReaders(container), nullptr, clock);
        ASSERT_TRUE(provider.readCounters());
        EXPECT_EQ(provider.counters().devices(), (std::map<std::string, ByteCounts>{{"eth0", {7340032, 1048576}}}));
    }
    {
        NetRoot root;
        QFile::copy(support::fixturePath(QStringLiteral("net/desktop/proc/net/dev")),
                    QString::fromStdString(root.path() + "/proc/net/dev"));
        QFile route(QString::fromStdString(root.path() + "/proc/net/route"));
        ASSERT_TRUE(route.open(QIODevice::WriteOnly));
        route.write("Iface\tDestination\tGateway\tFlags\tRefCnt\tUse\tMetric\tMask\tMTU\tWindow\tIRTT\n"
                    "wg0\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n");
        route.close();
        NetworkProvider provider(NetworkProvider::linuxReaders(root.path()), nullptr, clock);
        ASSERT_TRUE(provider.readCounters());
        // enp9s0 is down and enx0011idle idle, but they are hardware links too.
        EXPECT_EQ(provider.counters().devices(),
            (std::map<std::string, ByteCounts>{{"enp5s0", {900000, 300000}}, {"enp9s0", {777, 0}}, {"enx0011idle", {0, 0}}}));

        // With every hardware link down, the veth that holds the route counts.
        auto readers = NetworkProvider::linuxReaders(root.path());
        readers.isUp = [](const std::string&) { return false; };
        readers.defaultRoute = [] { return std::vector<std::string>{"veth1a2b"}; };
        NetworkProvider fallback(readers, nullptr, clock);
        ASSERT_TRUE(fallback.readCounters());
        EXPECT_EQ(fallback.counters().devices().count("veth1a2b"), 1u);
        EXPECT_EQ(fallback.counters().devices().size(), 4u);
    }
}

TEST(NetworkProvider, ConnectionResolvesOffThreadAndRefreshesAfterFifteenSeconds)
{
    NetRoot root;
    root.use("dev-1");
    FakeNetwork network;
    support::ManualClock clock;
    NetworkProvider provider(NetworkProvider::linuxReaders(root.path()), network.resolver(), clock);
    provider.start(std::chrono::hours(1));
    EXPECT_TRUE(provider.isRefreshing());
    clock.advance(1.0);
    provider.sample();
    if (provider.isRefreshing()) { // not applied yet: still the initial label
        EXPECT_EQ(provider.current().interfaceName, NetworkLabels::detecting);
    }

    ASSERT_TRUE(support::settle([&] { return !provider.isRefreshing(); }));
    EXPECT_EQ(provider.current().interfaceName, NetworkLabels::wifi);
    EXPECT_EQ(provider.current().ssid, QStringLiteral("net-0"));
    EXPECT_EQ(provider.history().size(), 1); // applying a resolution appends nothing

    clock.advance(14.9);
    provider.sample();
    EXPECT_FALSE(provider.isRefreshing());
    clock.advance(0.6);
    root.use(nullptr); // the refresh is started even when the counters fail
    provider.sample();
    EXPECT_TRUE(provider.isRefreshing());
    ASSERT_TRUE(support::settle([&] { return !provider.isRefreshing(); }));
    EXPECT_EQ(network.calls, 2);
    EXPECT_EQ(provider.current().ssid, QStringLiteral("net-1"));

    // the tabs' reload
    provider.setConnectionRefreshed(kDistantPast);
    provider.refreshConnection();
    ASSERT_TRUE(support::settle([&] { return !provider.isRefreshing(); }));
    EXPECT_EQ(network.calls, 3);
}

TEST(NetworkProvider, AnOlderResultThanTheAppliedOneIsDropped)
{
    FakeNetwork network;
    network.held = 0;
    support::ManualClock clock;
    NetworkProvider provider(NetworkProvider::Readers{}, network.resolver(), clock);
    provider.refreshConnection(); // held back
    ASSERT_TRUE(support::settle([&] { return network.calls == 1; }));
    provider.refreshConnection(); // a reload meanwhile
    ASSERT_TRUE(support::settle([&] { return provider.current().ssid.has_value(); }));
    EXPECT_EQ(provider.current().ssid, QStringLiteral("net-1"));
    EXPECT_TRUE(provider.isRefreshing()); // the first is still under way

    network.release = true;
    ASSERT_TRUE(support::settle([&] { return !provider.isRefreshing(); }));
    EXPECT_EQ(provider.current().ssid, QStringLiteral("net-1"));
}

TEST(NetworkProvider, LocationAuthorisedForcesAResolution)
{
    FakeNetwork network;
    support::ManualClock clock;
    NetworkProvider provider(NetworkProvider::Readers{}, network.resolver(), clock);
    EXPECT_EQ(provider.locationWatcher().authorizationStatus(), LocationWatcher::authorizedWhenInUse);
    provider.start(std::chrono::hours(1));
    ASSERT_TRUE(support::settle([&] { return !provider.isRefreshing(); }));
    ASSERT_EQ(network.calls, 1);

    provider.locationWatcher().didChangeAuthorization(LocationWatcher::denied);
    EXPECT_TRUE(support::settle());
    EXPECT_EQ(network.calls, 1);

    provider.locationWatcher().didChangeAuthorization(LocationWatcher::authorizedAlways);
    ASSERT_TRUE(support::settle([&] { return network.calls == 2 && !provider.isRefreshing(); }));
    EXPECT_EQ(provider.current().ssid, QStringLiteral("net-1"));
}

TEST(NetworkProvider, SmokeOnThisMachine)
{
    support::ManualClock clock;
    NetworkProvider provider(NetworkProvider::linuxReaders("/"), NetworkProvider::linuxResolver(), clock);
    provider.start(std::chrono::hours(1));
    clock.advance(1.0);
    provider.sample();
    ASSERT_TRUE(support::settle([&] { return !provider.isRefreshing(); }, 30'000));
    const auto& s = provider.current();
    EXPECT_NE(s.interfaceName, NetworkLabels::detecting);
    EXPECT_GE(s.uploadBytesPerSec, 0.0);
    for (const auto& i : s.interfaces)
        EXPECT_TRUE(i.kind == NetworkLabels::kindWifi || i.kind == NetworkLabels::kindEthernet || i.kind == NetworkLabels::kindVPN);
    std::printf("this machine: %s, ssid %s, address %s, %d interfaces\n", qPrintable(s.interfaceName),
                qPrintable(s.ssid.value_or(QStringLiteral("-"))), qPrintable(s.ipAddress.value_or(QStringLiteral("-"))),
                int(s.interfaces.size()));
}
