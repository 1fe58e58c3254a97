#include "model/NetworkProvider.h"
#include "platform/NetworkManagerClient.h"

#include "support/EventLoop.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Dunmorra;
namespace support = Dunmorra::Test;
using Platform::NetworkManagerClient;

namespace {

const QString kCafe = QString::fromUtf8("Caf\xc3\xa9 Net");

// Stand-in wireless tools: iw hangs past the deadline, iwgetid answers and
// leaves a mark so a test can tell whether any tool was launched.
class Tools {
public:
    Tools()
    {
        write(QStringLiteral("iw"), "exec sleep 30");
        write(QStringLiteral("iwgetid"), "touch \"$(dirname \"$0\")/launched\"; echo Attic");
    }
    QString dir() const { return m_dir.path(); }
    bool launched() const { return QFile::exists(m_dir.filePath(QStringLiteral("launched"))); }

private:
    void write(const QString& name, const QByteArray& body)
    {
        QFile f(m_dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\n" + body + "\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QTemporaryDir m_dir;
};

// The laptop fixture (wlan0 associated) against the session bus's NetworkManager.
ConnectionResult resolveLaptop(const Tools& tools)
{
    ConnectionResolver::Options options;
    options.root = support::fixturePath(QStringLiteral("net/laptop")).toStdString();
    options.sessionBus = true;
    options.toolDirectories = {tools.dir()};
    // Long enough for a busy machine to start a tool and for the simulated
    // NetworkManager to answer; iw outlasts it all the same.
    options.deadline = std::chrono::seconds(5);
    auto sources = ConnectionResolver::linuxSources(options);
    auto resolver = std::make_shared<const ConnectionResolver>(std::move(sources));
    NetworkProvider provider(NetworkProvider::Readers{}, resolver);
    provider.refreshConnection();
    EXPECT_TRUE(support::settle([&] { return !provider.isRefreshing(); }));
    return ConnectionResult{provider.current().interfaceName, provider.current().ssid,
                            provider.current().needsLocation, provider.current().ipAddress,
                            provider.current().interfaces};
}

} // namespace

TEST(WithNetworkManager, ReadsTheActiveAccessPointsName)
{
    const NetworkManagerClient nm(NetworkManagerClient::Bus::Session);
    EXPECT_EQ(nm.activeSsid(QStringLiteral("wlan0")), kCafe);
    EXPECT_EQ(nm.activeSsid(QStringLiteral("wlan7")), std::nullopt); // no such device
}

TEST(WithNetworkManager, ProviderShowsTheNameWithoutLaunchingTools)
{
    Tools tools;
    const auto result = resolveLaptop(tools);
    EXPECT_EQ(result.label, NetworkLabels::wifi);
    EXPECT_EQ(result.ssid, kCafe);
    EXPECT_FALSE(result.needsLocation);
    EXPECT_FALSE(tools.launched());
}

TEST(WithoutNetworkManager, NoAnswerIsNoName)
{
    const NetworkManagerClient nm(NetworkManagerClient::Bus::Session);
    EXPECT_EQ(nm.activeSsid(QStringLiteral("wlan0")), std::nullopt);
}

TEST(WithoutNetworkManager, FallsBackToTheToolsPastAHungOne)
{
    Tools tools;
    const auto result = resolveLaptop(tools);
    EXPECT_EQ(result.label, NetworkLabels::wifi);
    EXPECT_EQ(result.ssid, QStringLiteral("Attic"));
    EXPECT_TRUE(tools.launched());
}
