#include "tabs/CPUTab.h"

#include "components/FrameClock.h"
#include "components/Palette.h"
#include "components/Sandbox.h"
#include "components/SandboxFeatureBanner.h"
#include "components/SegmentedPicker.h"
#include "components/SparklineView.h"
#include "components/ThinBar.h"
#include "components/Typography.h"
#include "model/CPUProvider.h"
#include "model/UserSettings.h"
#include "model/WorkerPool.h"
#include "support/EventLoop.h"
#include "support/FillPoolWatch.h"
#include "support/ManualClock.h"
#include "support/PaintLog.h"
#include "tabs/CoreBar.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLocale>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace Dunmorra;
using Platform::CoreTicks;

namespace {

// A provider whose every core adds `busyPerPass` busy ticks out of 1000 a
// pass (which a test may change between passes), on a chip with the given kinds of core ("PPEE"; empty: one kind).
struct CpuRig {
    Dunmorra::Test::ManualClock ownClock;
    Dunmorra::Test::ManualClock& clock;
    std::uint64_t busyTicks = 0;
    std::uint64_t idleTicks = 0;
    int cores;
    std::uint64_t busyPerPass;
    std::unique_ptr<CPUProvider> provider;
    QTemporaryDir settingsDir;
    UserSettings settings{std::make_unique<QSettings>(settingsDir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat)};

    CpuRig(int coreCount, std::string kinds, double percent, ProcessScanCache& cache = Dunmorra::Test::emptyScanCache(),
           Dunmorra::Test::ManualClock* sharedClock = nullptr)
        : clock(sharedClock ? *sharedClock : ownClock)
        , cores(coreCount)
        , busyPerPass(static_cast<std::uint64_t>(percent * 10))
    {
        provider = std::make_unique<CPUProvider>(
            [this] {
                busyTicks += busyPerPass;
                idleTicks += 1000 - busyPerPass;
                std::vector<CoreTicks> out;
                for (int i = 0; i < cores; ++i)
                    out.push_back({i, busyTicks, idleTicks});
                return std::optional<std::vector<CoreTicks>>(out);
            },
            [kinds, coreCount] {
                Platform::ChipFacts facts;
                facts.brand = "Test Chip 9000";
                facts.physicalCores = coreCount;
                for (char k : kinds)
                    facts.coreKinds.push_back(k == 'E' ? Platform::CoreKind::efficiency : Platform::CoreKind::performance);
                facts.effCores = static_cast<int>(std::count(kinds.begin(), kinds.end(), 'E'));
                facts.perfCores = static_cast<int>(std::count(kinds.begin(), kinds.end(), 'P'));
                return facts;
            },
            &cache, clock);
    }
    ~CpuRig() { Dunmorra::Test::finishBackgroundJobs(); }
    void passes(int n)
    {
        for (int i = 0; i < n; ++i) {
            clock.advance(1.0);
            provider->sample();
        }
    }
};

// What the tooltip shows, whether Qt takes it for rich text or not.
QString rendered(const QString& toolTip)
{
    QTextDocument doc;
    if (Qt::mightBeRichText(toolTip))
        doc.setHtml(toolTip);
    else
        doc.setPlainText(toolTip);
    return doc.toPlainText();
}

QString textOf(const QWidget& root, const char* name)
{
    auto* label = root.findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

class CPUTabTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { overrideSandboxedForTesting(std::nullopt); }
};

} // namespace

TEST(CPUTabRules, EachCoreIsLabelledByItsOwnKind)
{
    using K = CoreKind;
    struct Case {
        std::vector<CoreKind> kinds;
        int cores;
        std::vector<const char*> labels;
    };
    const Case cases[] = {
        // one kind of core: no core is called an efficiency core
        {{}, 4, {"C1", "C2", "C3", "C4"}},
        {{K::efficiency, K::efficiency, K::performance, K::performance, K::performance}, 5,
         {"E1", "E2", "P1", "P2", "P3"}},
        // Intel's numbering: performance threads first
        {{K::performance, K::performance, K::efficiency, K::efficiency, K::efficiency}, 5,
         {"P1", "P2", "E1", "E2", "E3"}},
        // interleaved, and a core beyond what the kernel described
        {{K::performance, K::efficiency, K::performance}, 4, {"P1", "E1", "P2", "C4"}},
    };
    for (const Case& c : cases) {
        for (int i = 0; i < c.cores; ++i) {
            EXPECT_EQ(CPUTab::coreLabel(i, c.kinds), QLatin1String(c.labels[static_cast<std::size_t>(i)])) << i;
            const std::optional<CoreKind> expected =
                static_cast<std::size_t>(i) < c.kinds.size() ? std::optional(c.kinds[static_cast<std::size_t>(i)]) : std::nullopt;
            EXPECT_EQ(CPUTab::coreKind(i, c.kinds), expected) << i;
        }
    }
}

TEST(CPUTabRules, TimeRangesByRawValueOnly)
{
    const std::pair<const char*, int> ranges[] = {{"60s", 60}, {"5m", 300}, {"10m", 600},
                                                  {"1h", 3600}, {"12h", 43200}, {"24h", 86400}};
    ASSERT_EQ(allCPUTimeRanges.size(), std::size(ranges));
    for (std::size_t i = 0; i < allCPUTimeRanges.size(); ++i) {
        EXPECT_EQ(rawValue(allCPUTimeRanges[i]), QLatin1String(ranges[i].first));
        EXPECT_EQ(sampleCount(allCPUTimeRanges[i]), ranges[i].second);
        EXPECT_EQ(cpuTimeRangeFromRawValue(QLatin1String(ranges[i].first)), allCPUTimeRanges[i]);
    }
    for (const char* other : {"", "60S", "60", " 5m", "1d"})
        EXPECT_FALSE(cpuTimeRangeFromRawValue(QLatin1String(other))) << other;
}

TEST(CPUTabRules, CoreSeriesSkipsSnapshotsWithoutThatCore)
{
    HistoryRing<CPUSnapshot> history(60);
    history.append(1, CPUSnapshot{50, {10, 20}, {}});
    history.append(2, CPUSnapshot{50, {30}, {}});
    history.append(3, CPUSnapshot{50, {}, {}});
    history.append(4, CPUSnapshot{50, {40, 60}, {}});
    EXPECT_EQ(CPUTab::coreHistory(history, 0), (std::vector<double>{0.1, 0.3, 0.4}));
    EXPECT_EQ(CPUTab::coreHistory(history, 1), (std::vector<double>{0.2, 0.6}));
    EXPECT_TRUE(CPUTab::coreHistory(history, 2).empty());
    EXPECT_EQ(CPUTab::usageCardSeries(history), (std::vector<double>{0.5, 0.5, 0.5, 0.5}));
}

TEST_F(CPUTabTest, InitialSnapshotShowsItsFigureAndRowsButNoCores)
{
    CpuRig rig(2, "", 10);
    CPUTab tab(*rig.provider, rig.settings);
    EXPECT_EQ(textOf(tab, "usagePercent"), QStringLiteral("34%"));
    EXPECT_EQ(textOf(tab, "chipModel"), QStringLiteral("Test Chip 9000"));
    EXPECT_EQ(textOf(tab, "chipCores"), QStringLiteral("2"));
    EXPECT_TRUE(tab.findChild<QWidget*>(QStringLiteral("perCoreSection"))->isHidden());
    EXPECT_EQ(tab.coreBarCount(), 0);

    // The placeholder rows: no executable path, so the name is the hover help.
    auto* row = tab.findChild<QWidget*>(QStringLiteral("processRow:1"));
    ASSERT_TRUE(row);
    EXPECT_EQ(textOf(*row, "processName"), QStringLiteral("Xcode"));
    EXPECT_EQ(rendered(row->findChild<QLabel*>(QStringLiteral("processName"))->toolTip()), QStringLiteral("Xcode"));
    EXPECT_EQ(textOf(*row, "processCpu"), QStringLiteral("18.2%"));
    EXPECT_EQ(textOf(*row, "processMemory"), QStringLiteral("3.8 GB"));
    EXPECT_TRUE(tab.findChild<QWidget*>(QStringLiteral("processRow:3")));
    EXPECT_FALSE(tab.findChild<SandboxFeatureBanner*>());
}

TEST_F(CPUTabTest, HybridChipGridLabelsColoursAndCaptions)
{
    CpuRig rig(10, "EEEEPPPPPP", 37.9);
    CPUTab tab(*rig.provider, rig.settings);
    rig.passes(3);

    EXPECT_EQ(textOf(tab, "usagePercent"), QStringLiteral("37%"));
    EXPECT_EQ(textOf(tab, "chipCores"), QStringLiteral("4E + 6P"));
    EXPECT_FALSE(tab.findChild<QWidget*>(QStringLiteral("perCoreSection"))->isHidden());
    ASSERT_EQ(tab.coreBarCount(), 10);
    for (int i = 0; i < 10; ++i) {
        CoreBar* bar = tab.coreBar(i);
        const bool perf = i >= 4;
        const QString label = perf ? QStringLiteral("P%1").arg(i - 3) : QStringLiteral("E%1").arg(i + 1);
        EXPECT_EQ(textOf(*bar, "coreLabel"), label);
        EXPECT_EQ(textOf(*bar, "coreUsage"), QStringLiteral("37%"));
        EXPECT_EQ(textOf(*bar, "coreKind"), perf ? QStringLiteral("Performance") : QStringLiteral("Efficiency"));
        EXPECT_EQ(bar->bar()->color(), perf ? accentColor() : secondaryText()) << i;
        EXPECT_NEAR(bar->bar()->fraction(), 0.379, 1e-9);
        // The start's baseline pass has no cores, so two of three snapshots count.
        EXPECT_EQ(bar->sparkline()->values().size(), 2u);
        EXPECT_FALSE(bar->sparkline()->isHidden());
    }
    EXPECT_EQ(tab.coreBar(4)->accessibleName(), QStringLiteral("P1 performance core, 37 percent"));
    EXPECT_EQ(tab.coreBar(0)->accessibleName(), QStringLiteral("E1 efficiency core, 37 percent"));
    EXPECT_EQ(tab.coreBar(4)->sparkline()->accessibleName(), QStringLiteral("P1 core usage over last 60 seconds"));

    // Bars are kept per index across refreshes, so their easing can run.
    CoreBar* first = tab.coreBar(0);
    rig.passes(1);
    EXPECT_EQ(tab.coreBar(0), first);
}

TEST_F(CPUTabTest, CaptionsFollowEachCoresOwnKind)
{
    struct Case {
        std::string kinds;
        std::vector<const char*> labels;
        std::vector<const char*> captions; // "" : no caption shown
        const char* summary;
        const char* firstAccessible;
    };
    const Case cases[] = {
        // One kind of core (AMD, a non-hybrid Intel): nothing reads "Efficiency".
        {"", {"C1", "C2", "C3"}, {"", "", ""}, "3", "C1 core, 37 percent"},
        // Intel hybrid whose performance threads come first.
        {"PPE", {"P1", "P2", "E1"}, {"Performance", "Performance", "Efficiency"}, "1E + 2P",
         "P1 performance core, 37 percent"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kinds);
        CpuRig rig(3, c.kinds, 37.9);
        CPUTab tab(*rig.provider, rig.settings);
        tab.show();
        rig.passes(2);
        EXPECT_EQ(textOf(tab, "chipCores"), QLatin1String(c.summary));
        ASSERT_EQ(tab.coreBarCount(), 3);
        for (int i = 0; i < 3; ++i) {
            CoreBar* bar = tab.coreBar(i);
            const auto index = static_cast<std::size_t>(i);
            EXPECT_EQ(textOf(*bar, "coreLabel"), QLatin1String(c.labels[index])) << i;
            auto* caption = bar->findChild<QLabel*>(QStringLiteral("coreKind"));
            ASSERT_TRUE(caption);
            const QString expected = QLatin1String(c.captions[index]);
            EXPECT_EQ(caption->isVisible(), !expected.isEmpty()) << i;
            if (!expected.isEmpty())
                EXPECT_EQ(caption->text(), expected) << i;
            const bool performance = expected == QLatin1String("Performance");
            EXPECT_EQ(bar->bar()->color(), performance ? accentColor() : secondaryText()) << i;
        }
        EXPECT_EQ(tab.coreBar(0)->accessibleName(), QLatin1String(c.firstAccessible));
    }
}

TEST_F(CPUTabTest, UsageHistoryFollowsTheChosenRangeAndTheProvider)
{
    CpuRig rig(1, "", 50);
    CPUTab tab(*rig.provider, rig.settings);
    auto* chart = tab.findChild<SparklineView*>(QStringLiteral("historySparkline"));
    ASSERT_TRUE(chart);
    EXPECT_TRUE(chart->values().empty());   // not a single sample yet
    EXPECT_EQ(chart->accessibleName(), QStringLiteral("Metric trend"));

    rig.passes(200);
    EXPECT_EQ(tab.timeRange(), CPUTimeRange::s60);
    EXPECT_EQ(chart->values().size(), 60u);
    EXPECT_DOUBLE_EQ(chart->values().back(), 0.5);

    auto* picker = tab.findChild<SegmentedPicker*>(QStringLiteral("timeRangePicker"));
    ASSERT_TRUE(picker);
    picker->segment(1)->click();   // "5m": all 200 samples, thinned
    EXPECT_EQ(tab.timeRange(), CPUTimeRange::m5);
    EXPECT_EQ(chart->values().size(), 120u);
    EXPECT_EQ(chart->values().size(), tab.historySeries().size());

    auto* card = tab.findChild<SparklineView*>(QStringLiteral("usageSparkline"));
    EXPECT_EQ(card->values().size(), 60u);   // the 60-snapshot ring, not the long one
}

TEST_F(CPUTabTest, ProcessRowsAreKeptByPidAndFollowTheScans)
{
    Dunmorra::Test::ManualClock scanClock;
    auto walks = std::make_shared<int>(0);
    ProcessScanCache cache(
        [walks, first = ProcessScanCache::procfsWalk(HALVORIN_FIXTURES "/processes/first", 100, 4096),
         second = ProcessScanCache::procfsWalk(HALVORIN_FIXTURES "/processes/second", 100, 4096)] {
            return (*walks)++ == 0 ? first() : second();
        },
        scanClock);
    CpuRig rig(1, "", 50, cache, &scanClock);
    CPUTab tab(*rig.provider, rig.settings);
    QWidget* placeholderRow = tab.findChild<QWidget*>(QStringLiteral("processRow:1"));
    ASSERT_TRUE(placeholderRow);
    // A pass without a scan republishes the rows: the same widgets stay.
    rig.passes(2);
    EXPECT_EQ(tab.findChild<QWidget*>(QStringLiteral("processRow:1")), placeholderRow);

    rig.passes(1);
    Dunmorra::Test::finishBackgroundJobs();   // the first scan only takes the baseline: no rows
    EXPECT_FALSE(tab.findChild<QWidget*>(QStringLiteral("processRow:1")));
    rig.passes(3);
    Dunmorra::Test::finishBackgroundJobs();
    const auto& rows = rig.provider->current().topProcesses;
    ASSERT_EQ(rows.size(), 2);
    QWidget* systemd = tab.findChild<QWidget*>(QStringLiteral("processRow:1"));
    ASSERT_TRUE(systemd);
    EXPECT_EQ(textOf(*systemd, "processName"), QStringLiteral("systemd"));
    EXPECT_EQ(rendered(systemd->findChild<QLabel*>(QStringLiteral("processName"))->toolTip()),
              QStringLiteral("/usr/lib/systemd/systemd"));
    EXPECT_EQ(textOf(*systemd, "processCpu"), QStringLiteral("33.3%"));
    EXPECT_TRUE(tab.findChild<QWidget*>(QStringLiteral("processRow:%1").arg(rows[1].id)));
}

// Names are data: never markup, and one line in a one-line row. Another
// user's process has no readable executable, so its tooltip is its name.
TEST_F(CPUTabTest, ProcessNamesShowAsWrittenOnOneLine)
{
    Dunmorra::Test::ManualClock scanClock;
    auto walks = std::make_shared<int>(0);
    ProcessScanCache cache(
        [walks] {
            const std::uint64_t t = static_cast<std::uint64_t>((*walks)++) * 1'000'000'000ULL;
            return QList<ProcessEntry>{
                {300, QStringLiteral("<b>bold</b><img src=x>"), QString(), 1000, t, 0, 1},
                {301, QStringLiteral("two\nlines"), QStringLiteral("/opt/<i>odd</i>/tool"), 1000, t / 2, 0, 1},
            };
        },
        scanClock);
    CpuRig rig(1, "", 50, cache, &scanClock);
    CPUTab tab(*rig.provider, rig.settings);
    tab.resize(900, 700);
    tab.show();
    rig.passes(3);
    Dunmorra::Test::finishBackgroundJobs();
    rig.passes(3);
    Dunmorra::Test::finishBackgroundJobs();
    ASSERT_EQ(rig.provider->current().topProcesses.size(), 2);

    QWidget* bold = tab.findChild<QWidget*>(QStringLiteral("processRow:300"));
    QWidget* twoLines = tab.findChild<QWidget*>(QStringLiteral("processRow:301"));
    ASSERT_TRUE(bold && twoLines);
    auto* boldName = bold->findChild<QLabel*>(QStringLiteral("processName"));
    EXPECT_EQ(boldName->textFormat(), Qt::PlainText);
    EXPECT_EQ(rendered(boldName->toolTip()), QStringLiteral("<b>bold</b><img src=x>"));
    auto* twoName = twoLines->findChild<QLabel*>(QStringLiteral("processName"));
    EXPECT_EQ(rendered(twoName->toolTip()), QStringLiteral("/opt/<i>odd</i>/tool"));
    // One line: as tall as the row of a plain name.
    EXPECT_EQ(twoName->sizeHint().height(), boldName->sizeHint().height());
}

// A list that gains or loses rows changes the page's height: the page
// scrolls further or less, but nothing above the list moves or repaints.
TEST_F(CPUTabTest, AProcessListThatGrowsOrShrinksLeavesEverythingAboveItAlone)
{
    Dunmorra::Test::ManualClock scanClock;
    auto walks = std::make_shared<int>(0);
    auto busy = std::make_shared<int>(2);
    ProcessScanCache cache(
        [walks, busy] {
            const std::uint64_t t = static_cast<std::uint64_t>((*walks)++) * 100'000'000ULL;
            QList<ProcessEntry> out;
            for (int i = 0; i < 8; ++i) {
                const std::uint64_t ticks = i < *busy ? t * static_cast<std::uint64_t>(i + 1) : 0;
                out.push_back({400 + i, QStringLiteral("worker %1").arg(i), QString(), 1 << 20, ticks, 0, 1});
            }
            return out;
        },
        scanClock);
    CpuRig rig(8, "", 20, cache, &scanClock);
    CPUTab tab(*rig.provider, rig.settings);
    tab.resize(900, 600); // shorter than the page: it scrolls
    tab.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tab));
    const auto rowsAfterScans = [&](qsizetype wanted) {
        for (int scan = 0; scan < 4 && rig.provider->current().topProcesses.size() != wanted; ++scan) {
            rig.passes(3);
            Dunmorra::Test::finishBackgroundJobs();
        }
        QCoreApplication::processEvents();
        return rig.provider->current().topProcesses.size();
    };
    ASSERT_EQ(rowsAfterScans(2), 2);
    ASSERT_EQ(tab.coreBarCount(), 8);

    std::vector<QWidget*> above{tab.findChild<QWidget*>(QStringLiteral("usageCard")),
                                tab.findChild<QWidget*>(QStringLiteral("chipCard")),
                                tab.findChild<QWidget*>(QStringLiteral("historyCard"))};
    for (int i = 0; i < 8; ++i)
        above.push_back(tab.coreBar(i));
    std::vector<QRect> placed;
    for (QWidget* w : above) {
        ASSERT_TRUE(w);
        placed.push_back(QRect(w->mapTo(&tab, QPoint()), w->size()));
    }
    for (int rows : {6, 3, 8, 2}) {
        *busy = rows;
        Dunmorra::Test::PaintLog log(&tab);
        ASSERT_EQ(rowsAfterScans(rows), rows);
        for (std::size_t i = 0; i < above.size(); ++i) {
            const QString name = above[i]->objectName();
            EXPECT_EQ(log.paints(above[i]), 0) << name.toStdString() << " repainted, at " << rows << " rows";
            EXPECT_EQ(QRect(above[i]->mapTo(&tab, QPoint()), above[i]->size()), placed[i]) << name.toStdString();
        }
    }
}

namespace {
// Layout requests that reach `root` or any widget inside it.
class LayoutRequestCount : public QObject {
public:
    explicit LayoutRequestCount(QWidget* root)
        : m_root(root)
    {
        qApp->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::LayoutRequest && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget == m_root || m_root->isAncestorOf(widget))
                ++count;
        }
        return false;
    }

private:
    QWidget* m_root;
};
} // namespace

// Every second brings new figures (the load, each core's, each process's
// share), in the same rows: the figures hold their size, so none of them
// asks for the page to be laid out again.
TEST_F(CPUTabTest, NewFiguresEverySecondLayNothingOutAgain)
{
    Dunmorra::Test::ManualClock scanClock;
    auto walks = std::make_shared<int>(0);
    ProcessScanCache cache(
        [walks] {
            // Each walk alternates the processes between two rates of work.
            const int walk = (*walks)++;
            const std::uint64_t t = static_cast<std::uint64_t>(walk) * 100'000'000ULL + (walk % 2) * 60'000'000ULL;
            QList<ProcessEntry> out;
            for (int i = 0; i < 3; ++i)
                out.push_back({400 + i, QStringLiteral("worker %1").arg(i), QString(), 1 << 20,
                               t * static_cast<std::uint64_t>(i + 1), 0, 1});
            return out;
        },
        scanClock);
    CpuRig rig(8, "", 20, cache, &scanClock);
    CPUTab tab(*rig.provider, rig.settings);
    tab.resize(900, 600);
    tab.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tab));
    const auto second = [&](std::uint64_t busy) {
        rig.busyPerPass = busy;
        rig.passes(1);
        for (int i = 0; i < 3; ++i)
            Dunmorra::Test::finishBackgroundJobs();
        QCoreApplication::processEvents();
    };
    for (int i = 0; i < 6; ++i)
        second(200);
    ASSERT_EQ(rig.provider->current().topProcesses.size(), 3);
    ASSERT_EQ(tab.coreBarCount(), 8);

    const LayoutRequestCount layouts(&tab);
    QStringList shown;
    for (std::uint64_t busy : {700, 300, 1000, 50, 880}) {
        second(busy);
        shown << textOf(tab, "usagePercent") + QLatin1Char(' ') + textOf(*tab.coreBar(7), "coreUsage") + QLatin1Char(' ')
                + textOf(*tab.findChild<QWidget*>(QStringLiteral("processRow:402")), "processCpu");
    }
    EXPECT_EQ(shown.removeDuplicates(), 0) << shown.join(QStringLiteral(", ")).toStdString();
    EXPECT_EQ(layouts.count, 0) << shown.join(QStringLiteral(", ")).toStdString();
}

TEST_F(CPUTabTest, SandboxedRunShowsOnlyTheBanner)
{
    overrideSandboxedForTesting(true);
    CpuRig rig(2, "", 10);
    CPUTab tab(*rig.provider, rig.settings);
    auto* banner = tab.findChild<SandboxFeatureBanner*>();
    ASSERT_TRUE(banner);
    EXPECT_EQ(textOf(*banner, "bannerTitle"), QStringLiteral("Top processes unavailable"));
    EXPECT_EQ(textOf(*banner, "bannerDescription"), QStringLiteral("The sandbox does not allow access to per-process CPU data."));
    EXPECT_FALSE(tab.findChild<QWidget*>(QStringLiteral("topProcesses")));
    EXPECT_FALSE(tab.findChild<QWidget*>(QStringLiteral("processRow:1")));
}

// A core taken offline (or a new kernel reading with fewer CPUs) removes its
// bar; the bars that stay keep their widgets, and a core that comes back
// gets a bar again.
TEST_F(CPUTabTest, CoreBarsFollowTheCoreCountDownAndUp)
{
    CpuRig rig(4, "", 50);
    CPUTab tab(*rig.provider, rig.settings);
    rig.passes(2);
    ASSERT_EQ(tab.coreBarCount(), 4);
    CoreBar* first = tab.coreBar(0);
    QPointer<CoreBar> dropped = tab.coreBar(3);

    rig.cores = 2;
    rig.passes(2);
    ASSERT_EQ(rig.provider->current().coreUsages.size(), 2u);
    EXPECT_EQ(tab.coreBarCount(), 2);
    EXPECT_EQ(tab.findChildren<CoreBar*>().size(), 2);
    EXPECT_TRUE(dropped.isNull());
    EXPECT_EQ(tab.coreBar(0), first);
    EXPECT_EQ(tab.coreBar(2), nullptr);

    rig.cores = 3;
    rig.passes(2);
    EXPECT_EQ(tab.coreBarCount(), 3);
    EXPECT_EQ(tab.findChildren<CoreBar*>().size(), 3);
    EXPECT_EQ(textOf(*tab.coreBar(2), "coreLabel"), QStringLiteral("C3"));
}

TEST_F(CPUTabTest, OneSamplesChangeOfEightBarsIsOneRepaintPassAFrame)
{
    CpuRig rig(8, "", 20);
    CPUTab tab(*rig.provider, rig.settings);
    Dunmorra::Test::ManualClock frameTime;
    FrameClock* frames = FrameClock::installManual(&tab, frameTime);
    rig.passes(3);
    tab.resize(900, 1400);
    tab.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tab));
    for (int i = 0; i < 3; ++i)
        Dunmorra::Test::finishBackgroundJobs();
    ASSERT_EQ(tab.coreBarCount(), 8);

    // One sample moves every core from 20 % to 70 %.
    rig.busyPerPass = 700;
    Dunmorra::Test::PaintLog log(&tab);
    rig.passes(1);
    // The sample's own repaint (figures, lines, the process pass it hands back).
    for (int i = 0; i < 3; ++i)
        Dunmorra::Test::finishBackgroundJobs();
    EXPECT_EQ(frames->runningCount(), 8);

    int frameCount = 0;
    while (frames->runningCount() > 0 && frameCount < 100) {
        log.clear();
        frameTime.advance(FrameClock::kFrameInterval / 1000.0);
        frames->tick();
        QCoreApplication::processEvents();
        ++frameCount;
        EXPECT_EQ(log.passes(), 1) << "frame " << frameCount;
        int barPaints = 0;
        for (int i = 0; i < 8; ++i) {
            const int paints = log.paints(tab.coreBar(i)->bar());
            EXPECT_LE(paints, 1) << "core " << i << ", frame " << frameCount;
            barPaints += paints;
        }
        EXPECT_GE(barPaints, 1) << "frame " << frameCount;
        EXPECT_EQ(log.allPaints(), barPaints) << "only the bars repaint, frame " << frameCount << ": " << log.painted().join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_EQ(frameCount, 5); // 0.4 s at 15 frames a second, the first drawn with the sample
    for (int i = 0; i < 8; ++i)
        EXPECT_DOUBLE_EQ(tab.coreBar(i)->bar()->displayedFillFraction(), 0.7) << i;

    // A sample with the same loads starts no move and repaints no bar.
    log.clear();
    rig.passes(1);
    for (int i = 0; i < 3; ++i)
        Dunmorra::Test::finishBackgroundJobs();
    EXPECT_EQ(frames->runningCount(), 0);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(log.paints(tab.coreBar(i)->bar()), 0) << i;
}

// One second of the tab as it is watched: new figures, each line's new
// point, eight bars easing to a new load over their frames. None of it goes
// to Qt's fill pool, whose threads would all wake for each such fill.
TEST_F(CPUTabTest, ASecondOfTheTabIsPaintedOnThePaintingThread)
{
    if (!Dunmorra::Test::FillPoolWatch::fillsGoToAPool())
        GTEST_SKIP() << "this Qt fills on the painting thread alone";
    CpuRig rig(8, "", 20);
    CPUTab tab(*rig.provider, rig.settings);
    Dunmorra::Test::ManualClock frameTime;
    FrameClock* frames = FrameClock::installManual(&tab, frameTime);
    // A full minute of changing loads: every line spans its whole width.
    for (int i = 0; i < 62; ++i) {
        rig.busyPerPass = static_cast<std::uint64_t>(i * 370 % 1000);
        rig.passes(1);
    }
    tab.resize(900, 700);
    tab.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tab));
    // Until the first process scans replace the placeholder rows the page
    // changes height, and its scroll bar repaints: a page-tall fill, which
    // Qt does hand to its pool.
    for (int i = 0; i < 6; ++i) {
        rig.passes(1);
        Dunmorra::Test::finishBackgroundJobs();
    }
    ASSERT_TRUE(rig.provider->current().topProcesses.isEmpty());

    for (int second = 0; second < 3; ++second) {
        rig.busyPerPass = second % 2 ? 200 : 800;
        rig.passes(1);
        samplingPool().waitForDone();
        Dunmorra::Test::FillPoolWatch watch;
        watch.ignoreThreadsOf(samplingPool());
        QCoreApplication::processEvents();
        EXPECT_EQ(frames->runningCount(), 8);
        for (int frame = 0; frame < 100 && frames->runningCount() > 0; ++frame) {
            frameTime.advance(FrameClock::kFrameInterval / 1000.0);
            frames->tick();
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(watch.wakeups(), 0) << "second " << second << ":" << watch.woken();
    }
}
