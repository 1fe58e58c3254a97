#include "app/HalvorinsApp.h"
#include "app/MainWindowController.h"
#include "app/MainWindowView.h"
#include "app/MenuBarLabel.h"
#include "components/Sandbox.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"

#include "support/EventLoop.h"

#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Dunmorra;

namespace {

struct SandboxPinned {
    explicit SandboxPinned(bool value) { overrideSandboxedForTesting(value); }
    ~SandboxPinned()
    {
        overrideSandboxedForTesting(std::nullopt);
        Dunmorra::Test::settle(); // the environment's first background passes
    }
};

QStringList sidebarRows(const MainWindowView& window)
{
    QStringList rows;
    for (int i = 0; i < window.sidebar()->count(); ++i)
        rows << window.sidebar()->item(i)->text();
    return rows;
}

} // namespace

// Offscreen there is no tray: the application opens its main window instead,
// and that window applies the process's sandbox flag to the Folders row.
TEST(HalvorinsApp, WithoutATrayOpensTheMainWindowUnderTheProcessSandboxFlag)
{
    for (const bool sandboxed : {false, true}) {
        SandboxPinned pinned(sandboxed);
        QTemporaryDir dir;
        UserSettings settings(std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.conf")), QSettings::IniFormat));
        settings.setValue(QLatin1String(SettingKeys::showFolderTab), false);

        HalvorinsApp app(settings);
        app.start();
        ASSERT_NE(app.label(), nullptr);
        EXPECT_FALSE(app.label()->isDocked()); // still looking for a tray
        MainWindowView* window = app.windows().window();
        ASSERT_NE(window, nullptr) << sandboxed;
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(sidebarRows(*window).contains(QStringLiteral("Folders")), !sandboxed) << sandboxed;
    }
}
