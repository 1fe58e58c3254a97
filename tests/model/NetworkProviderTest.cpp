#include "model/NetworkProvider.h"

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

    // enp5s0 removed: both sums fall
    root.use("dev-3");
    clock.advance(1.0);
    provider.sample();
    EXPECT_EQ(provider.current().uploadBytesPerSec, 0.0);
    EXPECT_EQ(provider.current().downloadBytesPerSec, 0.0);

    root.use("dev-1");
    clock.advance(2.0);
    provider.sample();
    EXPECT_DOUBLE_EQ(provider.current().uploadBytesPerSec, 5000.0);
    EXPECT_EQ(provider.uploadHistory().values(), (std::vector<double>{2000.0, 0.0, 5000.0}));
    EXPECT_EQ(provider.downloadHistory().size(), 3);
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

    root.use("dev-3");
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
