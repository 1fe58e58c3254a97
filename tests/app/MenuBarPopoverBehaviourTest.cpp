#include "app/MenuBarPopover.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Dunmorra;
using Row = MenuBarPopover::Row;

namespace {

struct Popover {
    QTemporaryDir dir;
    UserSettings settings{std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.conf")), QSettings::IniFormat)};
    PopoverReadings readings;
};

} // namespace

// Focus taken by another window closes the popup, as a menu would close. The
// deactivation is sent as the window system sends it: in the offscreen
// platform, activating another window closes a popup by itself already.
TEST(MenuBarPopoverBehaviour, LosingTheFocusClosesIt)
{
    Popover f;
    MenuBarPopover popover([&] { return f.readings; }, false, f.settings);
    popover.showAt(QRect(600, 0, 24, 24));
    ASSERT_TRUE(popover.isVisible());

    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&popover, &deactivate);
    EXPECT_FALSE(popover.isVisible());
}

// The disk row's value takes the colour of the volume's fullness, and goes
// back to the text colour when space is freed.
TEST(MenuBarPopoverBehaviour, DiskRowTakesItsFullnessTint)
{
    Popover f;
    f.settings.setValue(QLatin1String(SettingKeys::diskInMenuBar), true);
    f.readings.disk.volumeTotalBytes = 1000;
    MenuBarPopover popover([&] { return f.readings; }, false, f.settings);
    const auto colour = [&] { return popover.valueLabel(Row::disk)->palette().color(QPalette::WindowText); };
    const QColor text = popover.palette().color(QPalette::WindowText);

    struct Case {
        std::uint64_t used;
        QColor colour;
    };
    for (const Case& c : {Case{950, QColor(255, 59, 48)}, Case{850, QColor(255, 149, 0)}, Case{500, text}}) {
        SCOPED_TRACE(c.used);
        f.readings.disk.volumeUsedBytes = c.used;
        popover.show();
        popover.refresh();
        EXPECT_EQ(colour(), c.colour);
    }
}
