#include "app/HalvorinsApp.h"
#include "app/AppEnvironment.h"
#include "app/MainWindowController.h"
#include "app/MainWindowView.h"
#include "app/MenuBarLabel.h"
#include "app/MenuBarPopover.h"
#include "app/PopoverTexts.h"
#include "components/Sandbox.h"
#include "model/CPUProvider.h"
#include "model/MemoryProvider.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"

#include "support/EventLoop.h"

#include <QLabel>
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

// The application's own wiring, over the real environment: the tray label
// and the open popover follow the real providers' readings.
TEST(HalvorinsApp, TheLabelAndThePopoverFollowTheRealProviders)
{
    SandboxPinned pinned(false);
    QTemporaryDir dir;
    UserSettings settings(std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.conf")), QSettings::IniFormat));
    HalvorinsApp app(settings);
    app.start();
    MenuBarPopover* popover = app.popover();
    MenuBarLabel* label = app.label();
    ASSERT_TRUE(popover && label);
    const CPUProvider& cpu = app.environment().cpu();
    // Until the first measured load the label shows the glyph, not the placeholder 34 %.
    EXPECT_FALSE(cpu.menuBarUsageMeasured());
    EXPECT_FALSE(label->toolTip().isEmpty());
    popover->showAt(QRect());
    ASSERT_TRUE(popover->isVisible());

    // The fourth CPU pass brings the first measured load to the label; the
    // second process pass the first rows.
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return cpu.menuBarUsageMeasured(); }, 30'000));
    EXPECT_TRUE(label->toolTip().endsWith(MenuBarLabel::percentText(cpu.menuBarUsagePercent())));
    const QImage shown = label->icon().pixmap(QSize(22, 22)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(shown, MenuBarLabel::renderImage(cpu.menuBarUsagePercent(), 22, 1.0, label->ink()));

    ASSERT_TRUE(Dunmorra::Test::settle([&] { return !cpu.current().topProcesses.isEmpty(); }, 30'000));
    // A later pass refreshes the open popover with the figures and the rows.
    const auto refreshed = [&] {
        const QWidget* first = popover->findChild<QWidget*>(QStringLiteral("process.0"));
        return first && !first->isHidden()
            && popover->valueLabel(MenuBarPopover::Row::cpu)->text() == PopoverTexts::cpuValue(cpu.current())
            && popover->valueLabel(MenuBarPopover::Row::memory)->text()
            == PopoverTexts::memoryValue(app.environment().memory().current());
    };
    EXPECT_TRUE(Dunmorra::Test::settle(refreshed, 30'000))
        << popover->valueLabel(MenuBarPopover::Row::cpu)->text().toStdString() << " for "
        << PopoverTexts::cpuValue(cpu.current()).toStdString();
    popover->hide();
}
