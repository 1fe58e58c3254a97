#include "tabs/MemoryTab.h"

#include "components/Palette.h"
#include "components/Sandbox.h"
#include "components/SandboxFeatureBanner.h"
#include "components/SegmentedPicker.h"
#include "components/SparklineView.h"
#include "components/StatusDot.h"
#include "components/SystemColors.h"
#include "components/ThinBar.h"
#include "model/MemoryProvider.h"
#include "model/ProcessScanCache.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"
#include "support/EventLoop.h"
#include "support/ManualClock.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace Dunmorra;
using Pressure = MemorySnapshot::MemoryPressure;

namespace {

constexpr std::uint64_t GiB = 1ULL << 30;

// A provider over counters the test sets: `used` of `total` bytes in use
// (all of it app memory), optional swap, and a process table the test fills.
struct MemoryRig {
    Dunmorra::Test::ManualClock clock;
    Platform::VmStats stats;
    QList<ProcessEntry> table;
    ProcessScanCache cache{[this] { return table; }, clock};
    std::unique_ptr<MemoryProvider> provider;
    QTemporaryDir settingsDir;
    UserSettings settings{std::make_unique<QSettings>(settingsDir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat)};

    MemoryRig()
    {
        provider = std::make_unique<MemoryProvider>([this] { return std::optional(stats); }, &cache, clock);
    }
    ~MemoryRig() { Dunmorra::Test::finishBackgroundJobs(); }

    void use(std::uint64_t used, std::uint64_t total)
    {
        stats.memTotal = total;
        stats.memAvailable = total - used;
        stats.hasMemAvailable = true;
    }
    void passes(int n)
    {
        for (int i = 0; i < n; ++i) {
            clock.advance(2.0);
            provider->sample();
        }
    }
};

QString textOf(const QWidget& root, const QString& name)
{
    auto* label = root.findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<missing %1>").arg(name);
}

QString breakdownValue(const QWidget& tab, const char* part)
{
    auto* row = tab.findChild<QWidget*>(QStringLiteral("breakdown:") + QLatin1String(part));
    return row ? textOf(*row, QStringLiteral("breakdownValue")) : QStringLiteral("<no row>");
}

double breakdownBar(const QWidget& tab, const char* part)
{
    auto* row = tab.findChild<QWidget*>(QStringLiteral("breakdown:") + QLatin1String(part));
    return row ? row->findChild<ThinBar*>()->displayedFillFraction() : -1;
}

class MemoryTabTest : public ::testing::Test {
protected:
    void TearDown() override { overrideSandboxedForTesting(std::nullopt); }
};

} // namespace

TEST(MemoryTabRules, PressureLevelsAndRanges)
{
    EXPECT_EQ(MemoryTab::pressureColor(Pressure::nominal), palettePrimary());
    EXPECT_EQ(MemoryTab::pressureColor(Pressure::warning), paletteOrange());
    EXPECT_EQ(MemoryTab::pressureColor(Pressure::critical), paletteRed());
    EXPECT_EQ(MemoryTab::pressureText(Pressure::nominal), QStringLiteral("Nominal"));
    EXPECT_EQ(MemoryTab::pressureText(Pressure::critical), QStringLiteral("Critical"));

    const std::pair<const char*, int> ranges[] = {{"5m", 150}, {"10m", 300}, {"1h", 1800}, {"12h", 21600}, {"24h", 43200}};
    ASSERT_EQ(allMemTimeRanges.size(), std::size(ranges));
    for (std::size_t i = 0; i < allMemTimeRanges.size(); ++i) {
        EXPECT_EQ(rawValue(allMemTimeRanges[i]), QLatin1String(ranges[i].first));
        EXPECT_EQ(sampleCount(allMemTimeRanges[i]), ranges[i].second);
        EXPECT_EQ(memTimeRangeFromRawValue(QLatin1String(ranges[i].first)), allMemTimeRanges[i]);
    }
    for (const char* other : {"", "60s", "5M", "1d"})
        EXPECT_FALSE(memTimeRangeFromRawValue(QLatin1String(other))) << other;
}

TEST(MemoryTabRules, BarsStayWithinTheirTrackAndSwapReadsNoneWithoutSwap)
{
    struct Case {
        double value, total, fraction;
    };
    const Case cases[] = {{4, 16, 0.25}, {0, 0, 0}, {3, 0, 1}, {-1, 16, 0}, {20, 16, 1}, {NAN, 16, 0}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(MemoryTab::breakdownFraction(c.value, c.total), c.fraction) << c.value << "/" << c.total;

    MemorySnapshot s;
    s.totalBytes = 16 * GiB;
    s.usedBytes = 20 * GiB;   // a skewed reading: the bar is full, Free is 0
    EXPECT_DOUBLE_EQ(MemoryTab::usedFraction(s), 1.0);
    EXPECT_DOUBLE_EQ(MemoryTab::breakdownGigabytes(s)[3], 0.0);

    s.swapUsedBytes = 2 * GiB;
    s.swapTotalBytes = 0;
    EXPECT_EQ(MemoryTab::swapText(s), QStringLiteral("None"));
    s.swapUsedBytes = 0;
    s.swapTotalBytes = 8 * GiB;
    EXPECT_EQ(MemoryTab::swapText(s), QStringLiteral("0 KB"));
}

TEST_F(MemoryTabTest, ZerosShowEmptyBarsAndNoDivisionByZero)
{
    MemoryRig rig;
    MemoryTab tab(*rig.provider, rig.settings);
    rig.passes(1);
    EXPECT_EQ(textOf(tab, "memoryUsed"), QStringLiteral("0.0 GB"));
    EXPECT_EQ(textOf(tab, "memoryTotal"), QStringLiteral("of 0 GB total"));
    EXPECT_EQ(tab.findChild<ThinBar*>(QStringLiteral("usageBar"))->displayedFillFraction(), 0.0);
    for (const char* part : {"app", "wired", "compressed", "free"}) {
        EXPECT_EQ(breakdownValue(tab, part), QStringLiteral("0.0 GB")) << part;
        EXPECT_EQ(breakdownBar(tab, part), 0.0) << part;
    }
    EXPECT_EQ(textOf(tab, "swapValue"), QStringLiteral("None"));
    EXPECT_EQ(textOf(tab, "pressureText"), QStringLiteral("Nominal"));
}

TEST_F(MemoryTabTest, TwelveOfSixteenIsAWarningInOrange)
{
    MemoryRig rig;
    rig.use(12 * GiB, 16 * GiB);
    rig.stats.swapTotal = 4 * GiB;
    rig.stats.swapFree = 3 * GiB;
    MemoryTab tab(*rig.provider, rig.settings);
    rig.passes(1);

    EXPECT_EQ(textOf(tab, "memoryUsed"), QStringLiteral("12.0 GB"));
    EXPECT_EQ(textOf(tab, "memoryTotal"), QStringLiteral("of 16 GB total"));
    auto* bar = tab.findChild<ThinBar*>(QStringLiteral("usageBar"));
    auto* dot = tab.findChild<StatusDot*>(QStringLiteral("pressureDot"));
    EXPECT_DOUBLE_EQ(bar->displayedFillFraction(), 0.75);
    EXPECT_EQ(bar->color(), paletteOrange());
    EXPECT_EQ(dot->color(), paletteOrange());
    EXPECT_EQ(textOf(tab, "pressureText"), QStringLiteral("Warning"));
    EXPECT_EQ(breakdownValue(tab, "app"), QStringLiteral("12.0 GB"));
    EXPECT_EQ(breakdownValue(tab, "free"), QStringLiteral("4.0 GB"));
    EXPECT_DOUBLE_EQ(breakdownBar(tab, "free"), 0.25);
    EXPECT_EQ(textOf(tab, "swapValue"), QStringLiteral("1.0 GB"));

    // Bar and dot change colour together with the level.
    rig.use(15 * GiB, 16 * GiB);
    rig.passes(1);
    EXPECT_EQ(textOf(tab, "pressureText"), QStringLiteral("Critical"));
    EXPECT_EQ(bar->color(), paletteRed());
    EXPECT_EQ(dot->color(), paletteRed());
    rig.use(2 * GiB, 16 * GiB);
    rig.passes(1);
    EXPECT_EQ(bar->color(), palettePrimary());
    EXPECT_EQ(dot->color(), palettePrimary());
}

TEST_F(MemoryTabTest, UsageHistoryFollowsTheRangeAsFractions)
{
    MemoryRig rig;
    rig.use(6 * GiB, 16 * GiB);   // 37.5 %
    MemoryTab tab(*rig.provider, rig.settings);
    auto* chart = tab.findChild<SparklineView*>(QStringLiteral("historySparkline"));
    ASSERT_TRUE(chart);
    EXPECT_FALSE(chart->autoScale());
    EXPECT_EQ(chart->color(), SystemColors::purple());
    EXPECT_EQ(chart->accessibleName(), QStringLiteral("Memory usage history"));

    rig.passes(1);
    EXPECT_TRUE(chart->values().empty());
    rig.passes(1);
    EXPECT_EQ(chart->values(), (std::vector<double>{0.375, 0.375}));

    rig.passes(118);   // 120 samples: every one
    EXPECT_EQ(chart->values().size(), 120u);
    rig.use(8 * GiB, 16 * GiB);
    rig.passes(30);    // 150: the 5-minute window, thinned, newest last
    EXPECT_EQ(chart->values().size(), 120u);
    EXPECT_DOUBLE_EQ(chart->values().front(), 0.375);
    EXPECT_DOUBLE_EQ(chart->values().back(), 0.5);

    rig.passes(150);   // 300 samples; "24h" spreads 120 points over all of them
    auto* picker = tab.findChild<SegmentedPicker*>(QStringLiteral("timeRangePicker"));
    picker->segment(4)->click();
    EXPECT_EQ(tab.timeRange(), MemTimeRange::h24);
    EXPECT_EQ(chart->values().size(), 120u);
    EXPECT_DOUBLE_EQ(chart->values().front(), 0.375);   // the very first sample
    EXPECT_EQ(chart->values(), tab.historySeries());
}

TEST_F(MemoryTabTest, ProcessRowsAreKeptByPid)
{
    MemoryRig rig;
    rig.use(4 * GiB, 16 * GiB);
    rig.table = {{10, QStringLiteral("editor"), {}, 900 * (1ULL << 20)},
                 {11, QStringLiteral("<b>shell</b>"), {}, 2 * GiB},
                 {12, QStringLiteral("tiny"), {}, 4096}};
    MemoryTab tab(*rig.provider, rig.settings);
    ASSERT_TRUE(tab.findChild<QWidget*>(QStringLiteral("processHeader")));
    rig.passes(3);
    Dunmorra::Test::finishBackgroundJobs();
    QWidget* shell = tab.findChild<QWidget*>(QStringLiteral("processRow:11"));
    ASSERT_TRUE(shell);
    EXPECT_EQ(textOf(*shell, "processName"), QStringLiteral("<b>shell</b>"));
    EXPECT_EQ(shell->findChild<QLabel*>(QStringLiteral("processName"))->textFormat(), Qt::PlainText);
    EXPECT_EQ(textOf(*shell, "processMemory"), QStringLiteral("2.0 GB"));
    EXPECT_EQ(textOf(*tab.findChild<QWidget*>(QStringLiteral("processRow:10")), "processMemory"), QStringLiteral("900 MB"));
    EXPECT_FALSE(tab.findChild<QWidget*>(QStringLiteral("processRow:12")));   // 1 MiB or less is not listed

    // The next scan: one row grows, one goes, one comes; the kept row is the same widget.
    rig.table = {{11, QStringLiteral("<b>shell</b>"), {}, 3 * GiB}, {13, QStringLiteral("browser"), {}, GiB}};
    rig.clock.advance(5);
    rig.passes(3);
    Dunmorra::Test::finishBackgroundJobs();
    EXPECT_EQ(tab.findChild<QWidget*>(QStringLiteral("processRow:11")), shell);
    EXPECT_EQ(textOf(*shell, "processMemory"), QStringLiteral("3.0 GB"));
    EXPECT_FALSE(tab.findChild<QWidget*>(QStringLiteral("processRow:10")));
    EXPECT_TRUE(tab.findChild<QWidget*>(QStringLiteral("processRow:13")));
}

TEST_F(MemoryTabTest, SandboxedRunShowsTheBannerOrNothing)
{
    overrideSandboxedForTesting(true);
    MemoryRig rig;
    {
        MemoryTab tab(*rig.provider, rig.settings);
        auto* banner = tab.findChild<SandboxFeatureBanner*>();
        ASSERT_TRUE(banner);
        EXPECT_EQ(textOf(*banner, "bannerTitle"), QStringLiteral("Top processes unavailable"));
        EXPECT_EQ(textOf(*banner, "bannerDescription"),
                  QStringLiteral("The sandbox does not allow access to per-process memory data."));
        EXPECT_FALSE(tab.findChild<QWidget*>(QStringLiteral("topProcesses")));
    }
    rig.settings.setValue(QString::fromLatin1(SettingKeys::showSandboxHints), false);
    MemoryTab tab(*rig.provider, rig.settings);
    tab.resize(800, 900);
    tab.show();
    EXPECT_FALSE(tab.findChild<SandboxFeatureBanner*>()->isVisible());
    EXPECT_FALSE(tab.findChild<QWidget*>(QStringLiteral("processHeader")));
}
