#include "tabs/overview/OverviewTab.h"

#include "OverviewTestRig.h"
#include "components/DonutRing.h"
#include "components/DualSparklineView.h"
#include "components/FittingPair.h"
#include "components/Palette.h"
#include "components/SparklineView.h"
#include "components/Symbols.h"
#include "components/ThinBar.h"
#include "tabs/overview/OverviewAudioCard.h"
#include "tabs/overview/OverviewMemoryCard.h"
#include "tabs/overview/OverviewNetworkCard.h"
#include "tabs/overview/OverviewTopProcesses.h"

#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace Dunmorra;
using Dunmorra::Test::kGiB;
using Dunmorra::Test::OverviewRig;
using Dunmorra::Test::shown;
using Dunmorra::Test::textOf;

namespace {

// Two recorded hours with the figures the card texts are checked against.
DailySummary recordedDay(QDate day)
{
    DailySummary s = DailySummary::emptyFor(day);
    HourBucket nine = HourBucket::forHour(9);
    nine.cpu = {90, 3, 40, 0};
    nine.memoryGB = {24, 3, 9, 0};
    nine.batteryPercent = {285, 3, 96, 0};
    nine.diskReadBytes = 1536.7;
    nine.diskWriteBytes = 3 * 1048576.0;
    HourBucket ten = HourBucket::forHour(10);
    ten.cpu = {137.4, 3, 62.9, 0};
    ten.memoryGB = {30, 3, 11.44, 0};
    ten.batteryPercent = {238.8, 3, 80, 0};
    ten.networkUpBytes = 3145728;
    ten.networkDownBytes = 4194304;
    s.hours = {nine, ten};
    s.networkSSIDs[QStringLiteral("Ethernet")] = {1048576, 2097152};
    s.processes[QStringLiteral("P")] = {QStringLiteral("P"), 150, 3, 3221225472};
    s.processes[QStringLiteral("Z")] = {QStringLiteral("Z"), 12, 0, 999};
    s.diskTotalBytes = 100 * kGiB;
    s.diskUsedBytes = 70 * kGiB;
    s.diskFreeBytes = 30 * kGiB;
    s.uptimeDays = 1;
    return s;
}

QString symbolOf(const QWidget& root, const char* name)
{
    auto* symbol = root.findChild<SymbolView*>(QLatin1String(name));
    return symbol ? symbol->symbol() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

} // namespace

TEST(OverviewCards, ARecordedDayShowsItsAggregatesInEveryCard)
{
    OverviewRig rig;
    rig.writeDay(rig.daysAgo(1), recordedDay(rig.daysAgo(1)));
    // Charging now, with memory pressure at its worst: neither belongs to the day,
    // but the memory bar takes the pressure of now.
    rig.batteryReading = OverviewRig::batteryAt(50, "Charging");
    rig.battery.refresh();
    rig.vm.memAvailable = rig.vm.memFree = 0;
    rig.memory.sample();
    OverviewTab& tab = rig.open();
    rig.days.shiftSelectedDate(-1);
    ASSERT_TRUE(rig.settled());

    EXPECT_EQ(textOf(tab, "cpuValue"), QStringLiteral("37%"));   // 37.9, truncated
    EXPECT_EQ(textOf(tab, "cpuCaption"), QString::fromUtf8("Peak 62%  ·  Hourly avg, 24 h"));
    EXPECT_EQ(tab.findChild<SparklineView*>(QStringLiteral("cpuTrend"))->values().size(), 2u);

    EXPECT_EQ(textOf(tab, "memoryValue"), QStringLiteral("9.0"));
    EXPECT_EQ(textOf(tab, "memoryCaption"), QString::fromUtf8("Avg · Peak 11.4 GB"));
    auto* memoryBar = tab.findChild<ThinBar*>(QStringLiteral("memoryBar"));
    EXPECT_DOUBLE_EQ(memoryBar->fraction(), 9.0 / 16.0);
    EXPECT_EQ(memoryBar->color(), OverviewMemoryCard::pressureColor(rig.memory.current().pressure));

    EXPECT_EQ(textOf(tab, "batteryValue"), QStringLiteral("79%"));
    EXPECT_EQ(textOf(tab, "batteryCaption"), QString::fromUtf8("Started 95%  ·  Ended 79%"));
    EXPECT_EQ(tab.findChild<ThinBar*>(QStringLiteral("batteryBar"))->color(), paletteGreen());
    EXPECT_FALSE(shown(tab.findChild<QWidget*>(QStringLiteral("chargingMark"))));

    EXPECT_EQ(textOf(tab, "storagePercent"), QStringLiteral("70%"));
    EXPECT_EQ(tab.findChild<DonutRing*>(QStringLiteral("storageRing"))->fraction(), 0.7);
    EXPECT_EQ(textOf(tab, "storageTotal"), QStringLiteral("100 GB"));
    EXPECT_EQ(textOf(tab, "storageUsed"), QStringLiteral("70.0 GB"));
    EXPECT_EQ(textOf(tab, "storageFree"), QStringLiteral("30.0 GB"));
    EXPECT_EQ(textOf(tab, "ioTitle"), QStringLiteral("I/O (total)"));
    EXPECT_EQ(textOf(tab, "diskRead"), QStringLiteral("2 KB"));   // 1536.7 -> 1536 bytes
    EXPECT_EQ(textOf(tab, "diskWrite"), QStringLiteral("3 MB"));
    EXPECT_EQ(textOf(tab, "uptimeValue"), QStringLiteral("1d"));
    EXPECT_EQ(textOf(tab, "uptimeDetail"), QStringLiteral("0h 0m"));

    OverviewNetworkCard& network = *tab.networkCard();
    EXPECT_EQ(textOf(network, "connectionTitle"), QStringLiteral("Ethernet"));
    EXPECT_EQ(symbolOf(network, "connectionSymbol"), QStringLiteral("cable.connector"));
    EXPECT_EQ(network.filterMenu()->actions().size(), 2);   // All Networks and Ethernet, no separator
    EXPECT_EQ(textOf(network, "uploadValue"), QStringLiteral("3 MB"));
    EXPECT_EQ(textOf(network, "downloadValue"), QStringLiteral("4 MB"));
    network.choose(QStringLiteral("Ethernet"));
    EXPECT_EQ(textOf(network, "uploadValue"), QStringLiteral("1 MB"));
    EXPECT_EQ(textOf(network, "downloadValue"), QStringLiteral("2 MB"));

    EXPECT_TRUE(shown(tab.findChild<QWidget*>(QStringLiteral("audioHistoryNote"))));
    EXPECT_FALSE(shown(tab.findChild<QWidget*>(QStringLiteral("liveAudioRow"))));

    auto* processes = tab.findChild<OverviewTopProcesses*>();
    EXPECT_EQ(processes->rowCount(), 2);
    QWidget* p = tab.findChild<QWidget*>(QStringLiteral("processRow:name:P"));
    ASSERT_TRUE(p);
    EXPECT_EQ(textOf(*p, "processCpu"), QStringLiteral("50.0%"));
    EXPECT_EQ(textOf(*p, "processMemory"), QStringLiteral("1.0 GB"));
    QWidget* z = tab.findChild<QWidget*>(QStringLiteral("processRow:name:Z"));
    ASSERT_TRUE(z);
    EXPECT_EQ(textOf(*z, "processCpu"), QStringLiteral("0.0%"));
    EXPECT_EQ(textOf(*z, "processMemory"), QStringLiteral("0 KB"));
}

TEST(OverviewCards, ADayWithoutHoursOrBatteryFigures)
{
    OverviewRig rig;
    rig.writeDay(rig.daysAgo(1), DailySummary::emptyFor(rig.daysAgo(1)));
    OverviewTab& tab = rig.open();
    rig.days.shiftSelectedDate(-1);
    ASSERT_TRUE(rig.settled());
    EXPECT_EQ(textOf(tab, "cpuValue"), QStringLiteral("0%"));
    EXPECT_TRUE(tab.findChild<SparklineView*>(QStringLiteral("cpuTrend"))->values().empty());
    EXPECT_EQ(textOf(tab, "cpuCaption"), QString::fromUtf8("Peak 0%  ·  Hourly avg, 24 h"));
    EXPECT_EQ(textOf(tab, "memoryValue"), QStringLiteral("0.0"));
    EXPECT_EQ(tab.findChild<ThinBar*>(QStringLiteral("memoryBar"))->fraction(), 0.0);
    EXPECT_EQ(textOf(tab, "memoryCaption"), QString::fromUtf8("Avg · Peak 0.0 GB"));
    // Not recorded is not 0 %.
    EXPECT_FALSE(shown(tab.findChild<QWidget*>(QStringLiteral("batteryValue"))));
    EXPECT_EQ(textOf(tab, "batteryNote"), QStringLiteral("Not recorded on this day"));
    EXPECT_EQ(textOf(tab, "storagePercent"), QStringLiteral("0%"));
    EXPECT_EQ(textOf(tab, "storageTotal"), QStringLiteral("0 GB"));
    EXPECT_EQ(textOf(tab, "storageUsed"), QStringLiteral("0.0 GB"));
    EXPECT_EQ(textOf(tab, "diskRead"), QStringLiteral("0 KB"));
    EXPECT_EQ(textOf(tab, "uptimeValue"), QStringLiteral("0m"));
    EXPECT_FALSE(shown(tab.findChild<QWidget*>(QStringLiteral("uptimeDetail"))));
    EXPECT_EQ(textOf(*tab.networkCard(), "connectionTitle"), QStringLiteral("No networks recorded"));
    EXPECT_FALSE(shown(tab.networkCard()->filterButton()));
    EXPECT_EQ(textOf(*tab.networkCard(), "uploadValue"), QStringLiteral("0 KB"));
    EXPECT_EQ(tab.findChild<OverviewTopProcesses*>()->rowCount(), 0);
}

TEST(OverviewCards, LiveCardsFollowTheProviders)
{
    OverviewRig rig;
    rig.wifiName = QStringLiteral("Home <b>net</b>");
    rig.network.start(std::chrono::hours(1));   // the start resolves the connection once
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return !rig.network.isRefreshing(); }));
    rig.cpuPasses(2);
    OverviewTab& tab = rig.open();
    tab.show();

    EXPECT_EQ(textOf(tab, "cpuCaption"), QString::fromUtf8("Collecting…"));
    EXPECT_EQ(tab.findChild<SparklineView*>(QStringLiteral("cpuTrend"))->values().size(), 2u);
    rig.cpuPasses(8);
    EXPECT_EQ(textOf(tab, "cpuCaption"), QStringLiteral("Last 10 s"));
    EXPECT_EQ(textOf(tab, "cpuValue"), QStringLiteral("37%"));

    rig.memory.sample();
    EXPECT_EQ(textOf(tab, "memoryCaption"), QString::fromUtf8("of 16 GB  ·  ") + pressureRawValue(rig.memory.current().pressure));

    // No battery: said so, no figures (the provider's placeholder is no reading).
    EXPECT_EQ(textOf(tab, "batteryNote"), QStringLiteral("No battery found"));
    EXPECT_FALSE(shown(tab.findChild<QWidget*>(QStringLiteral("batteryValue"))));
    rig.batteryReading = OverviewRig::batteryAt(19, "Charging");
    rig.battery.refresh();
    EXPECT_EQ(textOf(tab, "batteryValue"), QStringLiteral("19%"));
    EXPECT_EQ(tab.findChild<ThinBar*>(QStringLiteral("batteryBar"))->color(), paletteRed());
    EXPECT_TRUE(shown(tab.findChild<QWidget*>(QStringLiteral("chargingMark"))));
    EXPECT_EQ(textOf(tab, "batteryCaption"), rig.battery.current().timeRemainingText());

    rig.disk.sample();
    EXPECT_EQ(textOf(tab, "ioTitle"), QStringLiteral("I/O"));
    EXPECT_EQ(textOf(tab, "diskRead"), QStringLiteral("0 B/s"));
    EXPECT_EQ(textOf(tab, "storageTotal"), QStringLiteral("500 GB"));
    EXPECT_EQ(textOf(tab, "uptimeValue"), QStringLiteral("5m"));
    rig.uptime = {0, 2, 7};
    rig.disk.sample();
    EXPECT_EQ(textOf(tab, "uptimeValue"), QStringLiteral("2h"));
    EXPECT_EQ(textOf(tab, "uptimeDetail"), QStringLiteral("7m"));

    // The Wi-Fi name is plain text; the reload forces a new resolution.
    OverviewNetworkCard& network = *tab.networkCard();
    EXPECT_EQ(textOf(network, "connectionTitle"), QStringLiteral("Wi-Fi"));
    EXPECT_EQ(symbolOf(network, "connectionSymbol"), QStringLiteral("wifi"));
    EXPECT_EQ(textOf(network, "wifiName"), QStringLiteral("Home <b>net</b>"));
    EXPECT_EQ(network.findChild<QLabel*>(QStringLiteral("wifiName"))->textFormat(), Qt::PlainText);
    EXPECT_EQ(textOf(network, "wifiAddress"), QStringLiteral("192.168.1.20"));
    EXPECT_FALSE(shown(network.locationButton()));
    EXPECT_FALSE(shown(network.filterButton()));
    EXPECT_TRUE(shown(tab.findChild<DualSparklineView*>(QStringLiteral("networkTrend"))));
    EXPECT_EQ(textOf(network, "uploadLabel"), QStringLiteral("Upload"));
    EXPECT_EQ(textOf(network, "uploadValue"), QStringLiteral("0 B/s"));
    const int before = *rig.resolutions;
    network.reloadButton()->click();
    EXPECT_EQ(rig.network.connectionRefreshed(), kDistantPast);
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return !rig.network.isRefreshing(); }));
    EXPECT_EQ(*rig.resolutions, before + 1);

    // A narrow card stacks the address under the name.
    FittingPair* line = network.wifiLine();
    line->resize(line->sizeHint().width() - 1, 40);
    EXPECT_FALSE(line->isWide());

    EXPECT_TRUE(shown(tab.findChild<QWidget*>(QStringLiteral("liveAudioRow"))));
    EXPECT_EQ(textOf(tab, "outputName"), QStringLiteral("None"));
    EXPECT_EQ(symbolOf(tab, "outputSymbol"), QStringLiteral("speaker.slash.fill"));
    EXPECT_EQ(textOf(tab, "activeAppsNote"), QStringLiteral("No audio at this moment."));
    EXPECT_FALSE(shown(tab.findChild<QWidget*>(QStringLiteral("activeApps"))));
    EXPECT_FALSE(tab.findChild<OverviewAudioCard*>()->isAnimating());
}
