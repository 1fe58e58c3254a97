#pragma once

#include "app/MainTab.h"
#include "app/MenuBarPopover.h"
#include "tabs/settings/SettingsTab.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace Dunmorra {

class AppEnvironment;
class MainWindowController;
class MenuBarLabel;
class UserSettings;

// The application object: builds the one environment, the tray item with its
// popover, and the main window on demand. It starts nothing itself.
class HalvorinsApp : public QObject {
    Q_OBJECT
public:
    explicit HalvorinsApp(UserSettings& settings, QObject* parent = nullptr);
    ~HalvorinsApp() override;

    // Shows the tray item, now or whenever a tray appears; while the desktop
    // has none, opens the main window, whose closing then quits.
    void start();

    // Whether the popover can be placed by the tray item (not on Wayland,
    // where a click opens the main window instead).
    static bool canPlacePopover();
    static constexpr int kTraySettleTime = 2000; // ms a D-Bus tray gets to answer
    // ms the item may stay off every panel after a tray lost it (the panel
    // quit, or its watcher dropped the item) before the window opens.
    static constexpr int kTrayLostTime = 10000;

    AppEnvironment& environment() { return *m_environment; }
    MainWindowController& windows() { return *m_windows; }
    MenuBarLabel* label() const { return m_label.get(); }
    MenuBarPopover* popover() const { return m_popover.get(); }

    // How the Settings tab restarts the application for a new language
    // (the process owns the single-instance lock, so main wires it).
    void setRelaunch(std::function<std::optional<QString>()> relaunch) { m_relaunch = std::move(relaunch); }

    // Posts the tab switch that the "Go" menu posts.
    static void postSwitchTab(MainTab tab);

public Q_SLOTS:
    // Writes today's summary as it stands in memory; takes no sample.
    void saveOnTerminate();

private:
    void openWindowWithoutTray();
    PopoverReadings readings() const;
    SettingsTabServices settingsServices() const;

    UserSettings& m_settings;
    std::function<std::optional<QString>()> m_relaunch;
    // Built first: everything below reads it.
    std::unique_ptr<AppEnvironment> m_environment;
    std::unique_ptr<MainWindowController> m_windows;
    std::unique_ptr<MenuBarLabel> m_label;
    std::unique_ptr<MenuBarPopover> m_popover;
    QTimer m_trayLost;
};

} // namespace Dunmorra
