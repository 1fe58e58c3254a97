#include "app/MainTab.h"
#include "app/MainWindowController.h"
#include "app/MainWindowView.h"
#include "app/SidebarIcons.h"
#include "app/TabNotifications.h"
#include "components/Palette.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Dunmorra;

namespace {

const QString kShowFolderTab = QLatin1String(SettingKeys::showFolderTab);

struct Fixture {
    QTemporaryDir dir;
    UserSettings settings{std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.conf")), QSettings::IniFormat)};
    int built = 0;
    TabFactory factory = [this](MainTab tab, QWidget* parent) {
        ++built;
        return placeholderTab(tab, parent);
    };
};

QString shownTab(const MainWindowView& window)
{
    return window.currentTabView() ? window.currentTabView()->objectName() : QString();
}

QStringList sidebarRows(const MainWindowView& window)
{
    QStringList rows;
    for (int i = 0; i < window.sidebar()->count(); ++i)
        rows << window.sidebar()->item(i)->text();
    return rows;
}

void clickRow(MainWindowView& window, const QString& text)
{
    QListWidget* list = window.sidebar();
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == text) {
            const QRect rect = list->visualItemRect(list->item(i));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
            return;
        }
    }
    ADD_FAILURE() << "no row " << text.toStdString();
}

} // namespace

TEST(MainTab, RawValuesRoundTripInSidebarOrder)
{
    const QStringList expected{QStringLiteral("overview"), QStringLiteral("cpu"), QStringLiteral("memory"),
        QStringLiteral("disk"), QStringLiteral("network"), QStringLiteral("power"), QStringLiteral("audio"),
        QStringLiteral("folders"), QStringLiteral("stats"), QStringLiteral("settings")};
    ASSERT_EQ(allMainTabs.size(), 10u);
    for (std::size_t i = 0; i < allMainTabs.size(); ++i) {
        EXPECT_EQ(rawValue(allMainTabs[i]), expected[static_cast<qsizetype>(i)]);
        EXPECT_EQ(mainTabFromRawValue(expected[static_cast<qsizetype>(i)]), allMainTabs[i]);
    }
    EXPECT_EQ(title(MainTab::stats), QStringLiteral("Stats"));
    EXPECT_EQ(symbol(MainTab::overview), QStringLiteral("square.grid.2x2"));
    EXPECT_FALSE(mainTabFromRawValue(QStringLiteral("Stats")));
    EXPECT_FALSE(mainTabFromRawValue(QString()));
}

// Every row of the sidebar carries a drawn symbol, ours where the icon theme has none.
TEST(MainTab, EverySidebarRowHasAVisibleIcon)
{
    for (MainTab tab : allMainTabs) {
        const QImage image = sidebarIcon(tab).pixmap(16).toImage();
        bool inked = false;
        for (int y = 0; y < image.height() && !inked; ++y)
            for (int x = 0; x < image.width() && !inked; ++x)
                inked = qAlpha(image.pixel(x, y)) > 0;
        EXPECT_TRUE(inked) << rawValue(tab).toStdString();
    }
}

TEST(MainWindowView, OpensOnOverviewWithTheDefaultSize)
{
    Fixture f;
    MainWindowView window(f.factory, false, f.settings);
    EXPECT_EQ(window.selectedTab(), MainTab::overview);
    EXPECT_EQ(shownTab(window), QStringLiteral("tab.overview"));
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Overview \u2014 Halvorin"));
    EXPECT_EQ(window.size(), QSize(1100, 750));
    EXPECT_EQ(sidebarRows(window).size(), 10);
}

TEST(MainWindowView, SidebarClickBuildsAFreshTab)
{
    Fixture f;
    MainWindowView window(f.factory, false, f.settings);
    window.show();
    clickRow(window, QStringLiteral("CPU"));
    EXPECT_EQ(window.selectedTab(), MainTab::cpu);
    EXPECT_EQ(shownTab(window), QStringLiteral("tab.cpu"));
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("CPU \u2014 Halvorin"));
    QPointer<QWidget> firstCpu = window.currentTabView();

    // Clicking the shown tab again keeps its view; leaving and coming back rebuilds it.
    const int builtBefore = f.built;
    clickRow(window, QStringLiteral("CPU"));
    EXPECT_EQ(f.built, builtBefore);
    clickRow(window, QStringLiteral("Memory"));
    clickRow(window, QStringLiteral("CPU"));
    EXPECT_EQ(f.built, builtBefore + 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(firstCpu.isNull());
    EXPECT_EQ(window.findChildren<QWidget*>(QStringLiteral("tab.memory")).size(), 0);
}

// The selected row takes the application's accent, not the desktop theme's
// selection colour: here a green theme.
TEST(MainWindowView, SelectedRowIsTintedWithTheAppAccent)
{
    Fixture f;
    const QPalette saved = QApplication::palette();
    QPalette green = saved;
    green.setColor(QPalette::Highlight, QColor(0, 160, 0));
    QApplication::setPalette(green);
    {
        MainWindowView window(f.factory, false, f.settings);
        window.show();
        QListWidget* list = window.sidebar();
        const QRect row = list->visualItemRect(list->item(0)); // Overview, selected
        const QImage image = list->viewport()->grab().toImage();
        const QColor shown = image.pixelColor(row.right() - 12, row.center().y());
        const QColor background = list->viewport()->palette().color(list->viewport()->backgroundRole());
        const QColor expected = compositeOver(withAlpha(accentColor(), 0.18), background);
        EXPECT_NEAR(shown.red(), expected.red(), 3);
        EXPECT_NEAR(shown.green(), expected.green(), 3);
        EXPECT_NEAR(shown.blue(), expected.blue(), 3);
        // An unselected row stays on the plain background.
        const QRect other = list->visualItemRect(list->item(1));
        EXPECT_EQ(image.pixelColor(other.right() - 12, other.center().y()).rgb(), background.rgb());
    }
    QApplication::setPalette(saved);
}

TEST(MainWindowView, GoMenuShortcutsSwitchTabs)
{
    Fixture f;
    MainWindowView window(f.factory, false, f.settings);
    const QList<QAction*> actions = window.goMenu()->actions();
    ASSERT_EQ(actions.size(), 10);
    const char* keys[] = {"Ctrl+1", "Ctrl+2", "Ctrl+3", "Ctrl+4", "Ctrl+5", "Ctrl+6", "Ctrl+7", "Ctrl+8", "Ctrl+9", "Ctrl+0"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(actions[i]->shortcut(), QKeySequence(QString::fromLatin1(keys[i])));
        EXPECT_EQ(actions[i]->text(), title(allMainTabs[static_cast<std::size_t>(i)]));
    }

    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(window.selectedTab(), MainTab::cpu);
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("CPU \u2014 Halvorin"));
    QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(window.selectedTab(), MainTab::settings);
    QTest::keyClick(&window, Qt::Key_9, Qt::ControlModifier);
    EXPECT_EQ(shownTab(window), QStringLiteral("tab.stats"));
}

TEST(MainWindowView, FollowsTabNotificationsOfTheRightType)
{
    Fixture f;
    MainWindowView window(f.factory, false, f.settings);
    auto& notifications = TabNotifications::shared();

    notifications.post(TabNotifications::switchTabName, QVariant::fromValue(MainTab::stats));
    EXPECT_EQ(window.selectedTab(), MainTab::stats);

    // A text that names a tab is not a tab; nor is a missing object or another name.
    notifications.post(TabNotifications::switchTabName, QStringLiteral("cpu"));
    notifications.post(TabNotifications::switchTabName);
    notifications.post(TabNotifications::switchTabName, 1);
    notifications.post(QStringLiteral("Halvorin.switchtab"), QVariant::fromValue(MainTab::cpu));
    EXPECT_EQ(window.selectedTab(), MainTab::stats);

    notifications.post(TabNotifications::openSettingsTabName, QStringLiteral("anything"));
    EXPECT_EQ(window.selectedTab(), MainTab::settings);
}

TEST(MainWindowView, FoldersRowFollowsTheSandboxRule)
{
    struct Case {
        bool sandboxed;
        bool show;
        std::size_t count;
    };
    for (const Case& c : {Case{false, true, 10}, Case{false, false, 10}, Case{true, true, 10}, Case{true, false, 9}}) {
        const auto tabs = MainWindowView::visibleTabs(c.sandboxed, c.show);
        EXPECT_EQ(tabs.size(), c.count) << c.sandboxed << c.show;
        EXPECT_EQ(std::count(tabs.begin(), tabs.end(), MainTab::folders), c.count == 10 ? 1 : 0);
    }

    Fixture f;
    f.settings.setValue(kShowFolderTab, false);
    MainWindowView window(f.factory, true, f.settings);
    EXPECT_FALSE(sidebarRows(window).contains(QStringLiteral("Folders")));
    EXPECT_EQ(sidebarRows(window).size(), 9);

    f.settings.setValue(kShowFolderTab, true);
    ASSERT_EQ(sidebarRows(window).size(), 10);
    EXPECT_EQ(sidebarRows(window).indexOf(QStringLiteral("Folders")), 7);
}

TEST(MainWindowView, HidingFoldersWhileShownFallsBackToOverview)
{
    Fixture f;
    MainWindowView window(f.factory, true, f.settings);
    window.selectTab(MainTab::folders);
    f.settings.setValue(kShowFolderTab, false);
    EXPECT_EQ(window.selectedTab(), MainTab::overview);
    EXPECT_EQ(shownTab(window), QStringLiteral("tab.overview"));

    // With another tab shown, only the sidebar changes.
    f.settings.setValue(kShowFolderTab, true);
    window.selectTab(MainTab::cpu);
    f.settings.setValue(kShowFolderTab, false);
    EXPECT_EQ(window.selectedTab(), MainTab::cpu);
    EXPECT_EQ(sidebarRows(window).size(), 9);

    // A hidden tab can still be shown by a notification.
    TabNotifications::shared().postSwitchTab(MainTab::folders);
    EXPECT_EQ(window.selectedTab(), MainTab::folders);
}

TEST(MainWindowController, SettingsOpensAClosedWindowOnSettings)
{
    Fixture f;
    MainWindowController controller(f.factory, false, f.settings);
    EXPECT_EQ(controller.window(), nullptr);
    controller.openSettings();
    ASSERT_NE(controller.window(), nullptr);
    EXPECT_TRUE(controller.window()->isVisible());
    EXPECT_EQ(controller.window()->selectedTab(), MainTab::settings);

    // Closing discards the window's state; the next opening starts on Overview.
    QPointer<MainWindowView> first = controller.window();
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    TabNotifications::shared().postSwitchTab(MainTab::cpu); // seen by nobody
    controller.showMainWindow();
    ASSERT_NE(controller.window(), nullptr);
    EXPECT_EQ(controller.window()->selectedTab(), MainTab::overview);
}
