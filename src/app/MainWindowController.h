#pragma once

#include "app/MainWindowView.h"
#include "app/TabFactory.h"

#include <QObject>
#include <QPointer>

namespace Dunmorra {

class UserSettings;

// Owns the main window's life: builds it on demand, and lets it be closed
// (which discards its state; the next opening starts on Overview).
class MainWindowController : public QObject {
    Q_OBJECT
public:
    MainWindowController(TabFactory factory, bool sandboxed, UserSettings& settings, QObject* parent = nullptr);
    ~MainWindowController() override;

    // The open window, or null while it is closed.
    MainWindowView* window() const { return m_window; }

public Q_SLOTS:
    // Opens the window when closed, un-minimises, raises and activates it.
    void showMainWindow();
    // Opens the window first and then asks it for Settings, so a window that
    // was closed does not miss the request.
    void openSettings();

Q_SIGNALS:
    // The user closed the main window.
    void mainWindowClosed();

private:
    TabFactory m_factory;
    bool m_sandboxed;
    UserSettings& m_settings;
    QPointer<MainWindowView> m_window;
};

} // namespace Dunmorra
