#include "app/TabFactory.h"

#include "app/AppEnvironment.h"
#include "history/HistoricalDataStore.h"
#include "model/UserSettings.h"
#include "tabs/AudioTab.h"
#include "tabs/CPUTab.h"
#include "tabs/DiskTab.h"
#include "tabs/network/NetworkTab.h"
#include "tabs/MemoryTab.h"
#include "tabs/power/PowerTab.h"
#include "tabs/stats/StatsTab.h"
#include "tabs/folders/FolderTab.h"

#include <QLabel>
#include <QVBoxLayout>

namespace Dunmorra {

QWidget* placeholderTab(MainTab tab, QWidget* parent)
{
    auto* page = new QWidget(parent);
    page->setObjectName(QStringLiteral("tab.") + rawValue(tab));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(20, 20, 20, 20);
    auto* heading = new QLabel(title(tab), page);
    heading->setObjectName(QStringLiteral("placeholderTitle"));
    QFont font = heading->font();
    font.setPointSizeF(22);
    font.setWeight(QFont::DemiBold);
    heading->setFont(font);
    layout->addWidget(heading);
    layout->addStretch(1);
    return page;
}

LiveTabSources liveTabSources(AppEnvironment& env, UserSettings& settings)
{
    LiveTabSources live;
    live.cpu = &env.cpu();
    live.disk = &env.disk();
    live.audio = &env.audio();
    live.settings = &settings;
    live.memory = &env.memory();
    live.battery = &env.battery();
    live.network = &env.network();
    live.folders = &env.folders();
    live.recorder = &env.recorder();
    live.historyStore = &env.historyStore();
    live.environment = &env;
    return live;
}

TabFactory placeholderTabFactory()
{
    return [](MainTab tab, QWidget* parent) { return placeholderTab(tab, parent); };
}

TabFactory applicationTabFactory(std::function<SettingsTabServices()> settingsServices, LiveTabSources live)
{
    return [settingsServices, live](MainTab tab, QWidget* parent) -> QWidget* {
        switch (tab) {
        case MainTab::settings:
            return new SettingsTab(settingsServices(), parent);
        case MainTab::cpu:
            if (live.cpu)
                return new CPUTab(*live.cpu, live.settings ? *live.settings : UserSettings::shared(), parent);
            break;
        case MainTab::disk:
            if (live.disk)
                return new DiskTab(*live.disk, parent);
            break;
        case MainTab::audio:
            if (live.audio)
                return new AudioTab(*live.audio, parent);
            break;
        case MainTab::overview:
            break;
        case MainTab::memory:
            if (live.memory)
                return new MemoryTab(*live.memory, live.settings ? *live.settings : UserSettings::shared(), parent);
            break;
        case MainTab::network:
            if (live.network && live.recorder)
                return new NetworkTab(*live.network, *live.recorder, parent);
            break;
        case MainTab::power:
            if (live.battery) {
                return new PowerTab(*live.battery,
                                    live.historyStore ? live.historyStore->directory() : DayFile::historyDirectory(),
                                    live.environment ? live.environment->clock() : Clock::system(), parent);
            }
            break;
        case MainTab::folders:
            if (live.folders && live.disk)
                return new FolderTab(*live.folders, *live.disk, live.settings ? *live.settings : UserSettings::shared(),
                                     parent);
            break;
        case MainTab::stats:
            if (live.recorder)
                return new StatsTab(*live.recorder, Clock::system(), {}, parent);
            break;
        }
        return placeholderTab(tab, parent);
    };
}

} // namespace Dunmorra
