#include "app/TabFactory.h"

#include "model/AudioProvider.h"
#include "model/BatteryProvider.h"
#include "model/CPUProvider.h"
#include "model/DiskProvider.h"
#include "model/NetworkProvider.h"
#include "history/HistoryRecorder.h"
#include "model/MemoryProvider.h"
#include "model/UserSettings.h"
#include "tabs/AudioTab.h"
#include "tabs/CPUTab.h"
#include "tabs/DiskTab.h"
#include "tabs/network/NetworkTab.h"
#include "tabs/MemoryTab.h"
#include "tabs/power/PowerTab.h"
#include "tabs/stats/StatsTab.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Dunmorra;

TEST(TabFactory, LiveTabsWhereTheirProviderIsGivenPlaceholdersElsewhere)
{
    QTemporaryDir dir;
    UserSettings settings(std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat));
    CPUProvider cpu;
    DiskProvider disk;
    AudioProvider audio([] { return std::optional<Platform::AudioServerState>(); });
    const auto services = [&settings] {
        SettingsTabServices s;
        s.settings = &settings;
        return s;
    };

    QWidget host;
    TabFactory live = applicationTabFactory(services, {&cpu, &disk, &audio, &settings});
    EXPECT_TRUE(qobject_cast<CPUTab*>(live(MainTab::cpu, &host)));
    EXPECT_TRUE(qobject_cast<DiskTab*>(live(MainTab::disk, &host)));
    EXPECT_TRUE(qobject_cast<AudioTab*>(live(MainTab::audio, &host)));
    EXPECT_TRUE(qobject_cast<SettingsTab*>(live(MainTab::settings, &host)));
    QWidget* memory = live(MainTab::memory, &host);
    EXPECT_EQ(memory->objectName(), QStringLiteral("tab.memory"));
    EXPECT_TRUE(memory->findChild<QWidget*>(QStringLiteral("placeholderTitle")));

    TabFactory bare = applicationTabFactory(services);
    for (MainTab tab : {MainTab::cpu, MainTab::disk, MainTab::audio}) {
        QWidget* page = bare(tab, &host);
        EXPECT_TRUE(page->findChild<QWidget*>(QStringLiteral("placeholderTitle"))) << rawValue(tab).toStdString();
    }
}

TEST(TabFactory, NetworkTabNeedsItsProviderAndTheRecorderAndStartsAfreshEachTime)
{
    QTemporaryDir dir;
    NetworkProvider network(NetworkProvider::Readers{}, nullptr);
    HistoryRecorder recorder(Clock::system(), dir.path());
    const auto services = [] { return SettingsTabServices{}; };
    LiveTabSources live;
    live.network = &network;
    live.recorder = &recorder;
    QWidget host;
    TabFactory factory = applicationTabFactory(services, live);

    auto* first = qobject_cast<NetworkTab*>(factory(MainTab::network, &host));
    ASSERT_TRUE(first);
    first->setTimeRange(NetTimeRange::h24);
    first->setSelectedSSID(QStringLiteral("Home"));
    auto* again = qobject_cast<NetworkTab*>(factory(MainTab::network, &host));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->timeRange(), NetTimeRange::s60);
    EXPECT_EQ(again->selectedSSID(), std::nullopt);

    live.recorder = nullptr;
    QWidget* page = applicationTabFactory(services, live)(MainTab::network, &host);
    EXPECT_TRUE(page->findChild<QWidget*>(QStringLiteral("placeholderTitle")));
}

TEST(TabFactory, MemoryAndPowerTabsFromTheirProviders)
{
    QTemporaryDir dir;
    UserSettings settings(std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat));
    MemoryProvider memory([] { return std::optional<Platform::VmStats>(); });
    BatteryProvider battery([] { return std::vector<Platform::BatteryReading>(); });
    LiveTabSources sources;
    sources.settings = &settings;
    sources.memory = &memory;
    sources.battery = &battery;
    QWidget host;
    TabFactory live = applicationTabFactory([] { return SettingsTabServices(); }, sources);
    EXPECT_TRUE(qobject_cast<MemoryTab*>(live(MainTab::memory, &host)));
    EXPECT_TRUE(qobject_cast<PowerTab*>(live(MainTab::power, &host)));
}

TEST(TabFactory, StatsTabWhereTheRecorderIsGiven)
{
    QTemporaryDir dir;
    HistoryRecorder recorder(Clock::system(), dir.filePath(QStringLiteral("history")));
    LiveTabSources live;
    live.recorder = &recorder;
    QWidget host;
    EXPECT_TRUE(qobject_cast<StatsTab*>(applicationTabFactory({}, live)(MainTab::stats, &host)));
    QWidget* bare = applicationTabFactory({})(MainTab::stats, &host);
    EXPECT_TRUE(bare->findChild<QWidget*>(QStringLiteral("placeholderTitle")));
}
