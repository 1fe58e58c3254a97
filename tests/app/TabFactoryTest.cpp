#include "app/TabFactory.h"

#include "history/HistoryRecorder.h"
#include "model/AudioProvider.h"
#include "model/CPUProvider.h"
#include "model/DiskProvider.h"
#include "model/UserSettings.h"
#include "tabs/AudioTab.h"
#include "tabs/CPUTab.h"
#include "tabs/DiskTab.h"
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
