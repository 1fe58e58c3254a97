#include "history/HistoryRecorder.h"
#include "model/NetworkProvider.h"
#include "tabs/network/NetworkTab.h"

#include "support/EventLoop.h"
#include "support/TestEnvironment.h"

#include <QImage>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Dunmorra;
namespace support = Dunmorra::Test;

// The laptop fixture's wlan0 has joined "Café Net" on the simulated
// NetworkManager; the tab shows that name once the connection is resolved.
TEST(WithNetworkManager, NetworkTabShowsTheWiFiName)
{
    ConnectionResolver::Options options;
    options.root = support::fixturePath(QStringLiteral("net/laptop")).toStdString();
    options.sessionBus = true;
    options.toolDirectories = {};
    NetworkProvider provider(NetworkProvider::linuxReaders(options.root),
                             std::make_shared<const ConnectionResolver>(ConnectionResolver::linuxSources(options)));
    QTemporaryDir history;
    HistoryRecorder recorder(Clock::system(), history.path());
    NetworkTab tab(provider, recorder);
    tab.resize(900, 700);
    tab.show();

    tab.reload();
    ASSERT_TRUE(support::settle([&] { return !provider.isRefreshing(); }));
    auto* label = tab.findChild<QLabel*>(QStringLiteral("connectionLabel"));
    auto* ssid = tab.findChild<QLabel*>(QStringLiteral("connectionSSID"));
    ASSERT_TRUE(label && ssid);
    EXPECT_EQ(label->text(), QStringLiteral("Wi-Fi"));
    EXPECT_TRUE(ssid->isVisible());
    EXPECT_EQ(ssid->text(), QString::fromUtf8("Caf\xc3\xa9 Net"));
    EXPECT_TRUE(tab.findChild<QWidget*>(QStringLiteral("interfaceRow:wlan0")));

    // The name is painted: the label's own area holds ink.
    const QImage shot = ssid->grab().toImage();
    bool inked = false;
    const QRgb background = shot.pixel(0, 0);
    for (int y = 0; y < shot.height() && !inked; ++y) {
        for (int x = 0; x < shot.width() && !inked; ++x)
            inked = shot.pixel(x, y) != background;
    }
    EXPECT_TRUE(inked);
}
