#pragma once

#include "app/MainTab.h"
#include "tabs/settings/SettingsTab.h"

#include <QWidget>

#include <functional>

namespace Dunmorra {

class AppEnvironment;
class AudioProvider;
class BatteryProvider;
class CPUProvider;
class DiskProvider;
class FolderProvider;
class HistoricalDataStore;
class HistoryRecorder;
class MemoryProvider;
class NetworkProvider;
class UserSettings;

// Builds a fresh view of one tab, parented by the caller. The main window
// calls it on every selection and never keeps a tab it switched away from,
// so each tab starts again with its own initial view state.
using TabFactory = std::function<QWidget*(MainTab tab, QWidget* parent)>;

// A page that shows the tab's title, for tabs without a view of their own yet.
QWidget* placeholderTab(MainTab tab, QWidget* parent);

// Every tab as its placeholder page.
TabFactory placeholderTabFactory();

// What the live tabs read. A live tab whose provider is missing shows its
// placeholder; the providers must outlive every view the factory builds.
struct LiveTabSources {
    CPUProvider* cpu = nullptr;
    DiskProvider* disk = nullptr;
    AudioProvider* audio = nullptr;
    UserSettings* settings = nullptr;   // none: UserSettings::shared()
    MemoryProvider* memory = nullptr;
    BatteryProvider* battery = nullptr;
    NetworkProvider* network = nullptr;
    FolderProvider* folders = nullptr;
    HistoryRecorder* recorder = nullptr;
    HistoricalDataStore* historyStore = nullptr;
    AppEnvironment* environment = nullptr;   // the selected day
};

// Every source the environment owns, for the running application and its tools.
LiveTabSources liveTabSources(AppEnvironment& environment, UserSettings& settings);

// The application's tabs: each built view, and placeholders for the rest.
// settingsServices is asked each time the Settings tab is built.
TabFactory applicationTabFactory(std::function<SettingsTabServices()> settingsServices, LiveTabSources live = {});

} // namespace Dunmorra
