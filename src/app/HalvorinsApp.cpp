#include "app/HalvorinsApp.h"

#include "app/AppEnvironment.h"
#include "app/MainWindowController.h"
#include "app/MenuBarLabel.h"
#include "app/TabNotifications.h"
#include "components/Sandbox.h"
#include "history/HistoryRecorder.h"
#include "model/AudioProvider.h"
#include "model/CPUProvider.h"
#include "model/DiskProvider.h"
#include "model/MemoryProvider.h"
#include "model/NetworkProvider.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>

namespace Dunmorra {

HalvorinsApp::HalvorinsApp(UserSettings& settings, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_environment(std::make_unique<AppEnvironment>())
    , m_windows(std::make_unique<MainWindowController>(
          applicationTabFactory([this] { return settingsServices(); }, liveTabSources(*m_environment, settings)),
          isSandboxed(), settings))
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
    services.alerts = &m_environment->alerts();
    return services;
}

PopoverReadings HalvorinsApp::readings() const
{
    const AppEnvironment& env = *m_environment;
    PopoverReadings r;
    r.cpu = env.cpu().current();
    r.cpuTrend = env.cpu().usageHistory().lastValues(60);
    r.memory = env.memory().current();
    r.memoryTrend = env.memory().usageHistory().lastValues(60);
    r.disk = env.disk().current();
    r.network = env.network().current();
    r.audio = env.audio().current();
    return r;
}

bool HalvorinsApp::canPlacePopover()
{
    // A Wayland compositor places a window where it likes and gives no
    // position of the tray item: a popup would open anywhere.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void HalvorinsApp::start()
{
    m_popover = std::make_unique<MenuBarPopover>([this] { return readings(); }, isSandboxed(), m_settings);
    m_label = std::make_unique<MenuBarLabel>();
    const CPUProvider& cpu = m_environment->cpu();
    m_label->setUsage(cpu.menuBarUsagePercent(), cpu.menuBarUsageMeasured());
    connect(&cpu, &CPUProvider::menuBarUsagePercentChanged, m_label.get(),
            [this, &cpu] { m_label->setUsage(cpu.menuBarUsagePercent(), cpu.menuBarUsageMeasured()); });
    // The open popover follows the fastest providers' passes.
    connect(&cpu, &CPUProvider::currentChanged, m_popover.get(), &MenuBarPopover::refresh);
    connect(&m_environment->network(), &NetworkProvider::currentChanged, m_popover.get(), &MenuBarPopover::refresh);
    connect(m_label.get(), &MenuBarLabel::clicked, this, [this](const PopoverAnchor& anchor) {
        if (canPlacePopover())
            m_popover->toggle(anchor);
        else
            m_windows->showMainWindow();
    });
    connect(m_label.get(), &MenuBarLabel::openMainWindowRequested, m_windows.get(), &MainWindowController::showMainWindow);
    connect(m_label.get(), &MenuBarLabel::openSettingsRequested, m_windows.get(), &MainWindowController::openSettings);
    connect(m_label.get(), &MenuBarLabel::quitRequested, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    connect(m_popover.get(), &MenuBarPopover::openMainWindowRequested, m_windows.get(), &MainWindowController::showMainWindow);
    connect(m_popover.get(), &MenuBarPopover::openSettingsRequested, m_windows.get(), &MainWindowController::openSettings);
    connect(m_popover.get(), &MenuBarPopover::quitRequested, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    // Without a tray the window is the only way back in: closing it quits
    // (the day is saved on the way out), unless a tray has come meanwhile.
    connect(m_windows.get(), &MainWindowController::mainWindowClosed, this, [this] {
        if (!m_label->isDocked())
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    });
    // The application is never left with neither an icon nor a window.
    m_trayLost.setSingleShot(true);
    m_trayLost.setInterval(kTrayLostTime);
    connect(&m_trayLost, &QTimer::timeout, this, &HalvorinsApp::openWindowWithoutTray);
    connect(m_label.get(), &MenuBarLabel::dockedChanged, this, [this](bool docked) {
        if (docked)
            m_trayLost.stop();
        else
            m_trayLost.start();
    });
    m_label->show();
    if (m_label->isSettled()) {
        openWindowWithoutTray();
        return;
    }
    // A D-Bus tray is there but has not answered yet.
    QTimer::singleShot(kTraySettleTime, this, &HalvorinsApp::openWindowWithoutTray);
}

void HalvorinsApp::openWindowWithoutTray()
{
    if (!m_label->isDocked())
        m_windows->showMainWindow();
}

void HalvorinsApp::saveOnTerminate()
{
    m_environment->recorder().saveNow();
}

} // namespace Dunmorra
