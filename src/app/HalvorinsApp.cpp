#include "app/HalvorinsApp.h"

#include "app/MainWindowController.h"
#include "app/MenuBarLabel.h"
#include "app/TabNotifications.h"

#include <QCoreApplication>
#include <QSystemTrayIcon>

namespace Dunmorra {

HalvorinsApp::HalvorinsApp(UserSettings& settings, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_windows(std::make_unique<MainWindowController>(
          applicationTabFactory([this] { return settingsServices(); }), false, settings))
{
}

HalvorinsApp::~HalvorinsApp() = default;

void HalvorinsApp::postSwitchTab(MainTab tab)
{
    TabNotifications::shared().postSwitchTab(tab);
}

SettingsTabServices HalvorinsApp::settingsServices() const
{
    SettingsTabServices services;
    services.settings = &m_settings;
    services.relaunch = m_relaunch;
    return services;
}

PopoverReadings HalvorinsApp::readings() const
{
    PopoverReadings r;
    r.cpu = CPUSnapshot::initial();
    r.memory = MemorySnapshot::initial();
    r.disk = DiskSnapshot::initial();
    r.network = NetworkSnapshot::initial();
    r.audio = AudioSnapshot::empty();
    return r;
}

void HalvorinsApp::start()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        m_windows->showMainWindow();
        return;
    }
    m_popover = std::make_unique<MenuBarPopover>([this] { return readings(); }, false, m_settings);
    m_label = std::make_unique<MenuBarLabel>();
    m_label->setUsagePercent(CPUSnapshot::initial().usagePercent);
    connect(m_label.get(), &MenuBarLabel::clicked, m_popover.get(), &MenuBarPopover::toggle);
    connect(m_label.get(), &MenuBarLabel::openMainWindowRequested, m_windows.get(), &MainWindowController::showMainWindow);
    connect(m_label.get(), &MenuBarLabel::openSettingsRequested, m_windows.get(), &MainWindowController::openSettings);
    connect(m_label.get(), &MenuBarLabel::quitRequested, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    connect(m_popover.get(), &MenuBarPopover::openMainWindowRequested, m_windows.get(), &MainWindowController::showMainWindow);
    connect(m_popover.get(), &MenuBarPopover::openSettingsRequested, m_windows.get(), &MainWindowController::openSettings);
    connect(m_popover.get(), &MenuBarPopover::quitRequested, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    m_label->show();
}

void HalvorinsApp::saveOnTerminate()
{
}

} // namespace Dunmorra
