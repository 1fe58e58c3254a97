#pragma once

#include "app/MainTab.h"
#include "app/TabFactory.h"

#include <QMainWindow>
#include <QPointer>

#include <optional>
#include <vector>

class QListWidget;
class QMenu;

namespace Dunmorra {

class UserSettings;

// The main window: a sidebar of the tabs and a detail area that holds one
// freshly built tab at a time. It follows the tab notifications while it
// exists, and the Folders row's visibility setting.
class MainWindowView : public QMainWindow {
    Q_OBJECT
public:
    MainWindowView(TabFactory factory, bool sandboxed, UserSettings& settings, QWidget* parent = nullptr);
    ~MainWindowView() override;

    // Folders is left out only in a sandboxed run with the tab switched off.
    static std::vector<MainTab> visibleTabs(bool sandboxed, bool showFolderTab);
    std::vector<MainTab> visibleTabs() const;

    // "CPU — Halvorin".
    static QString titleFor(MainTab tab);

    std::optional<MainTab> selectedTab() const { return m_selected; }
    // The tab view now shown in the detail area.
    QWidget* currentTabView() const { return m_current; }
    QListWidget* sidebar() const { return m_sidebar; }
    QMenu* goMenu() const { return m_goMenu; }

public Q_SLOTS:
    // Shows the tab, also one the sidebar does not list (no row lights up then).
    void selectTab(Dunmorra::MainTab tab);

Q_SIGNALS:
    // The user closed the window (it is deleted next).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void rebuildSidebar();
    void updateHighlight();
    void folderTabSettingChanged(bool show);
    void settingChanged(const QString& key);

    TabFactory m_factory;
    bool m_sandboxed;
    UserSettings& m_settings;
    bool m_showFolderTab;
    std::optional<MainTab> m_selected;
    QListWidget* m_sidebar = nullptr;
    QWidget* m_detail = nullptr;
    QPointer<QWidget> m_current;
    QMenu* m_goMenu = nullptr;
};

} // namespace Dunmorra
