#include "app/MainWindowController.h"

#include "app/MainWindowView.h"
#include "app/TabNotifications.h"

namespace Dunmorra {

MainWindowController::MainWindowController(TabFactory factory, bool sandboxed, UserSettings& settings, QObject* parent)
    : QObject(parent)
    , m_factory(std::move(factory))
    , m_sandboxed(sandboxed)
    , m_settings(settings)
{
}

MainWindowController::~MainWindowController()
{
    delete m_window;
}

void MainWindowController::showMainWindow()
{
    if (!m_window) {
        m_window = new MainWindowView(m_factory, m_sandboxed, m_settings);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_window, &MainWindowView::closed, this, &MainWindowController::mainWindowClosed);
    }
    if (m_window->isMinimized())
        m_window->showNormal();
    else
        m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void MainWindowController::openSettings()
{
    showMainWindow();
    TabNotifications::shared().postOpenSettingsTab();
}

} // namespace Dunmorra
