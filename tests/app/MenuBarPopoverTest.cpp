#include "app/MenuBarPopover.h"
#include "app/PopoverTexts.h"
#include "components/Palette.h"
#include "components/SparklineView.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"
#include "support/ManualClock.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <QScreen>
#include <QGuiApplication>
#include "support/EventLoop.h"
#include <gtest/gtest.h>

#include <cmath>

using namespace Dunmorra;
using Row = MenuBarPopover::Row;

namespace {

struct Fixture {
    QTemporaryDir dir;
    UserSettings settings{std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.conf")), QSettings::IniFormat)};
    PopoverReadings readings;
    int reads = 0;
    PopoverFeed feed = [this] {
        ++reads;
        return readings;
    };
    void set(const char* key, bool value) { settings.setValue(QLatin1String(key), value); }
};

bool shown(const QWidget* w)
{
    return !w->isHidden();
}

CPUSnapshot::ProcessInfo process(int id, const char* name, double percent)
{
    CPUSnapshot::ProcessInfo p;
    p.id = id;
    p.name = QString::fromUtf8(name);
    p.cpuPercent = percent;
    return p;
}

} // namespace

TEST(MenuBarPopover, RowsFollowTheirSettingsLive)
{
    Fixture f;
    MenuBarPopover popover(f.feed, false, f.settings);
    auto* noMetrics = popover.findChild<QLabel*>(QStringLiteral("noMetrics"));
    auto* processes = popover.findChild<QWidget*>(QStringLiteral("topProcesses"));

    // Defaults: CPU and memory rows and the process list.
    EXPECT_TRUE(shown(popover.row(Row::cpu)));
    EXPECT_TRUE(shown(popover.row(Row::memory)));
    for (Row r : {Row::disk, Row::network, Row::ip, Row::audio})
        EXPECT_FALSE(shown(popover.row(r)));
    EXPECT_FALSE(shown(noMetrics));
    EXPECT_TRUE(shown(processes));

    f.set(SettingKeys::diskInMenuBar, true);
    EXPECT_TRUE(shown(popover.row(Row::disk)));

    // All six off: the hint alone, whatever the process setting says.
    for (const char* key : {SettingKeys::cpuInMenuBar, SettingKeys::memoryInMenuBar, SettingKeys::diskInMenuBar,
             SettingKeys::networkInMenuBar, SettingKeys::ipInMenuBar, SettingKeys::audioInMenuBar})
        f.set(key, false);
    EXPECT_TRUE(shown(noMetrics));
    EXPECT_EQ(noMetrics->text(), QString::fromUtf8("No metrics selected \u2014 enable some in Settings."));
    EXPECT_TRUE(shown(processes));

    f.set(SettingKeys::processesInMenuBar, false);
    EXPECT_FALSE(shown(processes));
    EXPECT_FALSE(shown(popover.findChild<QWidget*>(QStringLiteral("processDivider"))));
    EXPECT_TRUE(shown(popover.findChild<QWidget*>(QStringLiteral("footer"))));
}

TEST(MenuBarPopover, SandboxedRunShowsNoProcessSection)
{
    Fixture f;
    MenuBarPopover popover(f.feed, true, f.settings);
    EXPECT_FALSE(shown(popover.findChild<QWidget*>(QStringLiteral("topProcesses"))));
    EXPECT_FALSE(shown(popover.findChild<QWidget*>(QStringLiteral("processDivider"))));
}

TEST(MenuBarPopover, ShowsReadingsOnlyWhileOpen)
{
    Fixture f;
    f.readings.cpu.usagePercent = 7.4;
    f.readings.cpu.topProcesses = {process(1, "make", 180.25), process(2, "<b>Web</b>\nContent", 3.0)};
    f.readings.memory.usedBytes = 13312000000;
    f.set(SettingKeys::ipInMenuBar, true);
    MenuBarPopover popover(f.feed, false, f.settings);
    popover.refresh();
    EXPECT_EQ(f.reads, 0);

    popover.show();
    EXPECT_GT(f.reads, 0);
    EXPECT_EQ(popover.valueLabel(Row::cpu)->text(), QStringLiteral("7%"));
    EXPECT_EQ(popover.valueLabel(Row::memory)->text(), QStringLiteral("12.4 GB"));
    EXPECT_EQ(popover.valueLabel(Row::ip)->text(), QString::fromUtf8("\u2014"));
    EXPECT_TRUE(shown(popover.findChild<QWidget*>(QStringLiteral("process.0"))));
    EXPECT_TRUE(shown(popover.findChild<QWidget*>(QStringLiteral("process.1"))));
    EXPECT_FALSE(shown(popover.findChild<QWidget*>(QStringLiteral("process.2"))));
    auto labels = popover.findChild<QWidget*>(QStringLiteral("process.0"))->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 2);
    EXPECT_EQ(labels[0]->text(), QStringLiteral("make"));
    EXPECT_EQ(labels[1]->text(), QStringLiteral("180.2%"));  // half to even
    // A name is plain text on one line.
    auto* second = popover.findChild<QWidget*>(QStringLiteral("process.1"))->findChildren<QLabel*>().at(0);
    EXPECT_EQ(second->textFormat(), Qt::PlainText);
    EXPECT_EQ(second->text(), QString::fromUtf8("<b>Web</b>\ufffdContent"));

    // A setting turned on while open fills its row at once.
    f.readings.network.uploadBytesPerSec = 1536;
    f.set(SettingKeys::networkInMenuBar, true);
    EXPECT_EQ(popover.valueLabel(Row::network)->text(), QString::fromUtf8("\u25B2 1.5 KB/s  \u25BC 0 B/s"));
}

TEST(MenuBarPopover, CpuAndMemoryRowsCarryAutoScaledAccentTrends)
{
    Fixture f;
    f.readings.cpuTrend = {20, 20, 20};
    f.readings.memoryTrend = {40};
    MenuBarPopover popover(f.feed, false, f.settings);
    popover.show();
    for (Row r : {Row::cpu, Row::memory}) {
        auto* trend = popover.row(r)->findChild<SparklineView*>();
        ASSERT_NE(trend, nullptr);
        EXPECT_TRUE(trend->autoScale());
        EXPECT_EQ(trend->color(), accentColor());
        EXPECT_EQ(trend->accessibleName(), QStringLiteral("Metric trend"));
        EXPECT_EQ(trend->size(), QSize(60, 12));
    }
    EXPECT_EQ(popover.row(Row::cpu)->findChild<SparklineView*>()->values(), f.readings.cpuTrend);
    EXPECT_EQ(popover.row(Row::memory)->findChild<SparklineView*>()->values(), f.readings.memoryTrend);
    EXPECT_EQ(popover.row(Row::disk)->findChild<SparklineView*>(), nullptr);
}

TEST(MenuBarPopover, FooterActionsCloseAndAsk)
{
    Fixture f;
    MenuBarPopover popover(f.feed, false, f.settings);
    QSignalSpy open(&popover, &MenuBarPopover::openMainWindowRequested);
    QSignalSpy settings(&popover, &MenuBarPopover::openSettingsRequested);
    QSignalSpy quit(&popover, &MenuBarPopover::quitRequested);
    for (const char* name : {"openMainWindow", "openSettings", "quit"}) {
        popover.show();
        popover.findChild<QPushButton*>(QString::fromLatin1(name))->click();
        EXPECT_FALSE(popover.isVisible()) << name;
    }
    EXPECT_EQ(open.size(), 1);
    EXPECT_EQ(settings.size(), 1);
    EXPECT_EQ(quit.size(), 1);
    EXPECT_EQ(popover.findChild<QPushButton*>(QStringLiteral("openSettings"))->text(), QString::fromUtf8("Settings\u2026"));
}

TEST(MenuBarPopover, SecondClickClosesWithoutReopening)
{
    Fixture f;
    Dunmorra::Test::ManualClock clock;
    MenuBarPopover popover(f.feed, false, f.settings, clock);
    const QRect icon(600, 0, 24, 24);
    popover.toggle(icon);
    EXPECT_TRUE(popover.isVisible());
    // The press outside hides the popup; the click's activation follows at once.
    popover.hide();
    popover.toggle(icon);
    EXPECT_FALSE(popover.isVisible());
    clock.advance(0.299); // within the 300 ms, a click is still the closing one
    popover.toggle(icon);
    EXPECT_FALSE(popover.isVisible());
    clock.advance(0.001);
    popover.toggle(icon);
    EXPECT_TRUE(popover.isVisible());
    popover.toggle(icon);
    EXPECT_FALSE(popover.isVisible());
}

TEST(MenuBarPopover, FaintDividersInsideAOnePixelFrame)
{
    Fixture f;
    MenuBarPopover popover(f.feed, false, f.settings);
    popover.show();
    const QImage image = popover.grab().toImage();
    ASSERT_EQ(image.width(), 320);
    const QColor background = popover.palette().color(QPalette::Window);
    const int middle = image.height() / 2;

    // The frame: a line of its own at the very edge, the background inside it.
    const QColor edge = image.pixelColor(0, middle);
    EXPECT_GT(std::abs(edge.lightness() - background.lightness()), 30);
    EXPECT_LT(std::abs(image.pixelColor(1, middle).lightness() - background.lightness()), 8);

    // A divider is the separator tone over the background, nowhere near black.
    QWidget* divider = popover.findChild<QWidget*>(QStringLiteral("processDivider"));
    ASSERT_TRUE(divider);
    const int y = divider->mapTo(&popover, QPoint(0, 0)).y();
    const QColor line = image.pixelColor(160, y);
    EXPECT_NE(line, background);
    EXPECT_LT(std::abs(line.lightness() - background.lightness()), 40) << line.name().toStdString();
}

TEST(MenuBarPopover, PlacementStaysOnScreen)
{
    const QRect screen(0, 0, 1280, 800);
    const QSize size(320, 200);
    struct Case {
        QRect icon;
        QPoint cursor;
        QPoint expected;
    };
    const Case cases[] = {
        {QRect(600, 0, 24, 32), {}, QPoint(452, 32)},          // under the icon, centred
        {QRect(1250, 0, 24, 32), {}, QPoint(960, 32)},         // right edge
        {QRect(600, 768, 24, 32), {}, QPoint(452, 568)},       // bottom panel: above the icon
        {QRect(), QPoint(5, 10), QPoint(0, 21)},               // no geometry: past the cursor's panel
        {QRect(), QPoint(700, 790), QPoint(540, 581)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(popoverPosition(c.icon, c.cursor, size, screen), c.expected) << c.expected.x() << "," << c.expected.y();
}

// A D-Bus tray gives no icon geometry, only (sometimes) the point of the
// click; the popup then leans on the side of the screen a panel takes.
TEST(MenuBarPopover, PlacementFromTheClickPointAgainstThePanelEdge)
{
    const QRect screen(0, 0, 1280, 800);
    const QSize size(320, 200);
    const QRect topPanel(0, 28, 1280, 772);
    const QRect bottomPanel(0, 0, 1280, 760);
    const QRect leftPanel(48, 0, 1232, 800);
    struct Case {
        const char* what;
        PopoverAnchor anchor;
        QPoint cursor;
        QRect available;
        QPoint expected;
    };
    const Case cases[] = {
        {"host's point, top panel", {QRect(), QPoint(1000, 14)}, QPoint(5, 500), topPanel, QPoint(840, 28)},
        {"host's point, bottom panel", {QRect(), QPoint(300, 780)}, QPoint(5, 5), bottomPanel, QPoint(140, 560)},
        {"host's point, left panel", {QRect(), QPoint(20, 400)}, QPoint(600, 5), leftPanel, QPoint(48, 300)},
        {"no point: the pointer, on the panel's edge", {QRect(), std::nullopt}, QPoint(1270, 10), topPanel,
         QPoint(960, 28)},
        // The pointer may have left the panel already: the panel edge still decides.
        {"pointer below a top panel", {QRect(), std::nullopt}, QPoint(640, 400), topPanel, QPoint(480, 28)},
        {"no panel known: past the pointer's panel", {QRect(), std::nullopt}, QPoint(700, 790), screen,
         QPoint(540, 581)},
        // The icon's geometry wins over any point; beside it on a side panel.
        {"icon on a left panel", {QRect(8, 380, 32, 32), QPoint(1, 1)}, QPoint(), leftPanel, QPoint(48, 296)},
        {"icon under a top panel", {QRect(600, 0, 24, 28), std::nullopt}, QPoint(), topPanel, QPoint(452, 28)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(popoverPosition(c.anchor, c.cursor, size, screen, c.available), c.expected) << c.what;
}

// A panel that reserves no room (one that hides itself, or a desktop with no
// window manager) leaves no edge in the available area: the popup still
// opens beside the icon, never over the point clicked, where a second click
// on the icon would land on a row ("Quit Halvorin").
TEST(MenuBarPopover, PlacementWithNoPanelEdgeNeverCoversTheClickPoint)
{
    const QRect screen(0, 0, 1024, 600);
    const QSize size(320, 260);
    struct Case {
        const char* what;
        QPoint click;
        QPoint expected;
    };
    const Case cases[] = {
        {"top panel, 32 px", QPoint(700, 16), QPoint(540, 33)},
        {"bottom panel, 32 px", QPoint(700, 584), QPoint(540, 309)},
        {"bottom-right corner", QPoint(1015, 590), QPoint(704, 321)},
        {"left panel", QPoint(12, 300), QPoint(25, 170)},
        {"right panel", QPoint(1010, 300), QPoint(677, 170)},
        {"in the middle", QPoint(500, 200), QPoint(340, 209)},
        {"lower middle", QPoint(500, 400), QPoint(340, 132)},
    };
    for (const Case& c : cases) {
        const QPoint at = popoverPosition(PopoverAnchor{QRect(), c.click}, QPoint(), size, screen, screen);
        EXPECT_EQ(at, c.expected) << c.what;
        EXPECT_FALSE(QRect(at, size).contains(c.click)) << c.what;
        EXPECT_TRUE(screen.contains(QRect(at, size))) << c.what;
    }
    // A click inside the available area under a known top panel's band.
    const QPoint at = popoverPosition(PopoverAnchor{QRect(), QPoint(700, 40)}, QPoint(), size, screen,
                                      QRect(0, 28, 1024, 572));
    EXPECT_FALSE(QRect(at, size).contains(QPoint(700, 40)));
}

// The first popup after start is placed from the height its rows give it,
// not from the size it had before they were filled: on a bottom panel it
// ends where the panel begins, not a few rows inside it.
TEST(MenuBarPopover, IsPlacedWithItsRowsFilled)
{
    Fixture f;
    f.readings.cpu.topProcesses = {process(1, "alpha", 50), process(2, "beta", 20), process(3, "gamma", 10)};
    MenuBarPopover popover(f.feed, false, f.settings);
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    const QRect whole = screen->geometry();
    const PopoverAnchor anchor{QRect(), QPoint(whole.center().x(), whole.bottom() - 15)};
    popover.showAt(anchor);
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return popover.isVisible(); }));
    Dunmorra::Test::settle(); // pending layout passes
    const QPoint expected = popoverPosition(anchor, QPoint(), popover.size(), whole, screen->availableGeometry());
    EXPECT_EQ(popover.pos(), expected);
    EXPECT_FALSE(popover.geometry().contains(*anchor.point));
}

TEST(PopoverTexts, DiskTintByFullness)
{
    struct Case {
        std::uint64_t used, total;
        PopoverTexts::Tint tint;
    };
    using T = PopoverTexts::Tint;
    for (const Case& c : {Case{900, 1000, T::orange}, Case{901, 1000, T::red}, Case{800, 1000, T::primary},
             Case{801, 1000, T::orange}, Case{0, 0, T::primary}}) {
        DiskSnapshot disk;
        disk.volumeUsedBytes = c.used;
        disk.volumeTotalBytes = c.total;
        EXPECT_EQ(PopoverTexts::diskTint(disk), c.tint) << c.used << "/" << c.total;
    }
}

TEST(PopoverTexts, AudioSummary)
{
    const auto device = [](const char* name, float volume, bool muted) {
        AudioSnapshot::Device d;
        d.name = QString::fromUtf8(name);
        d.volume = volume;
        d.isMuted = muted;
        return d;
    };
    const auto app = [](const char* name) {
        AudioSnapshot::AudioProcess p;
        p.name = QString::fromUtf8(name);
        return p;
    };
    struct Case {
        std::optional<AudioSnapshot::Device> output;
        QList<AudioSnapshot::AudioProcess> apps;
        const char* expected;
    };
    const Case cases[] = {
        {std::nullopt, {app("Music")}, "\u2014"},
        {device("Speakers", 0.5f, false), {app("Music")}, "Music"},
        {device("Speakers", 0.5f, false), {app("Music"), app("Firefox"), app("Zoom")}, "Music \u00B7 Firefox"},
        {device("Speakers", 0.5f, true), {}, "Speakers  Muted"},
        {device("Speakers", 0.755f, false), {}, "Speakers  75%"},
        // Rounded as the mixer shows it: the server keeps 45 % as 29491/65536.
        {device("Speakers", 0.29f, false), {}, "Speakers  29%"},
        {device("Speakers", 29491.0f / 65536, false), {}, "Speakers  45%"},
        {device("Speakers", 1.3f, false), {}, "Speakers  130%"},
        {device("Speakers", -1.0f, false), {}, "Speakers"},
        {device("Speakers", std::nanf(""), false), {}, "Speakers"},
        {device("Speakers", INFINITY, false), {}, "Speakers"},
    };
    for (const Case& c : cases) {
        AudioSnapshot audio;
        audio.defaultOutput = c.output;
        audio.activeProcesses = c.apps;
        EXPECT_EQ(PopoverTexts::audioSummary(audio), QString::fromUtf8(c.expected));
    }
}

TEST(PopoverTexts, MemoryKeepsAPointWhilePercentsFollowTheLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    MemorySnapshot memory;
    memory.usedBytes = 1610612736;
    CPUSnapshot cpu;
    cpu.usagePercent = 7.4;
    EXPECT_EQ(PopoverTexts::memoryValue(memory), QStringLiteral("1.5 GB"));
    EXPECT_EQ(PopoverTexts::cpuValue(cpu), QString::fromUtf8("7\u00A0%"));
    EXPECT_EQ(PopoverTexts::processPercent(process(1, "x", 12.25)), QString::fromUtf8("12,2\u00A0%"));
    QLocale::setDefault(saved);
}

// Focus taken by another window closes the popup, as a menu would close. The
// deactivation is sent as the window system sends it: in the offscreen
// platform, activating another window closes a popup by itself already.
TEST(MenuBarPopover, LosingTheFocusClosesIt)
{
    Fixture f;
    MenuBarPopover popover(f.feed, false, f.settings);
    popover.showAt(QRect(600, 0, 24, 24));
    ASSERT_TRUE(popover.isVisible());

    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&popover, &deactivate);
    EXPECT_FALSE(popover.isVisible());
}

// The disk row's value takes the colour of the volume's fullness, and goes
// back to the text colour when space is freed.
TEST(MenuBarPopover, DiskRowTakesItsFullnessTint)
{
    Fixture f;
    f.set(SettingKeys::diskInMenuBar, true);
    f.readings.disk.volumeTotalBytes = 1000;
    MenuBarPopover popover(f.feed, false, f.settings);
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
