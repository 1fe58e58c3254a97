#include "app/AboutPanel.h"
#include "app/MainWindowView.h"
#include "app/MenuBarLabel.h"
#include "app/TabFactory.h"
#include "model/UserSettings.h"

#include "support/EventLoop.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Dunmorra;

namespace {

QList<QWidget*> openAboutPanels()
{
    QList<QWidget*> panels;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("aboutPanel") && w->isVisible())
            panels << w;
    }
    return panels;
}

} // namespace

// The About window blocks nothing: while it is open the tray menu's rows act
// and the main window takes clicks; asking for it again raises the same one.
TEST(AboutPanel, BlocksNeitherTheTrayMenuNorTheWindow)
{
    QTemporaryDir dir;
    UserSettings settings(std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.conf")), QSettings::IniFormat));
    MainWindowView window(placeholderTabFactory(), false, settings);
    window.show();
    MenuBarLabel label;
    QObject::connect(&label, &MenuBarLabel::openSettingsRequested, &window, [&] { window.selectTab(MainTab::settings); });

    QAction* about = window.menuBar()->findChild<QAction*>(QStringLiteral("about"));
    ASSERT_TRUE(about);
    about->trigger(); // returns at once: nothing waits for the window to close
    ASSERT_EQ(openAboutPanels().size(), 1);
    QWidget* panel = openAboutPanels().front();
    EXPECT_EQ(panel->windowModality(), Qt::NonModal);
    EXPECT_EQ(QGuiApplication::modalWindow(), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // The tray menu, chosen with the mouse as a user does.
    QMenu* menu = label.menu();
    menu->popup(QPoint(40, 40));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QAction* settingsRow = menu->actions().at(1);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(settingsRow).center());
    EXPECT_TRUE(Dunmorra::Test::settle([&] { return window.selectedTab() == MainTab::settings; }));
    EXPECT_TRUE(panel->isVisible()); // still open beside it

    // A second "About Halvorin" raises the open one rather than adding one.
    about->trigger();
    EXPECT_EQ(openAboutPanels(), QList<QWidget*>{panel});

    // Its own button closes it; the next asks for a new one.
    auto* box = qobject_cast<QMessageBox*>(panel);
    ASSERT_TRUE(box && box->button(QMessageBox::Ok));
    QPointer<QWidget> closed = panel;
    box->button(QMessageBox::Ok)->click();
    EXPECT_TRUE(Dunmorra::Test::settle([&] { return openAboutPanels().isEmpty(); }));
    QWidget* again = showAboutPanel();
    EXPECT_EQ(openAboutPanels(), QList<QWidget*>{again});
    again->close();
    Dunmorra::Test::settle([&] { return openAboutPanels().isEmpty(); });
}
