#include "tabs/overview/OverviewTab.h"

#include "OverviewTestRig.h"
#include "components/Sandbox.h"
#include "components/SandboxFeatureBanner.h"
#include "components/Symbols.h"
#include "tabs/overview/OverviewDayHeader.h"
#include "tabs/overview/OverviewNetworkCard.h"

#include <QMenu>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace Dunmorra;
using Dunmorra::Test::OverviewRig;
using Dunmorra::Test::shown;
using Dunmorra::Test::textOf;

namespace {

// A day with traffic on three networks; the hour totals differ from the
// per-network ones, as they may in a day file.
DailySummary threeNetworkDay(QDate day)
{
    DailySummary s = DailySummary::emptyFor(day);
    HourBucket b = HourBucket::forHour(10);
    b.networkUpBytes = 3 * 1048576.0;
    b.networkDownBytes = 4 * 1048576.0;
    s.hours.push_back(b);
    s.networkSSIDs[QStringLiteral("Home")] = {5 * 1048576.0, 50 * 1048576.0};
    s.networkSSIDs[QStringLiteral("Cafe")] = {1048576.0, 2 * 1048576.0};
    s.networkSSIDs[QStringLiteral("Ethernet")] = {1024.0, 2048.0};
    return s;
}

void press(QToolButton* button)
{
    ASSERT_TRUE(button);
    ASSERT_TRUE(button->isEnabled());
    button->click();
}

// The menu's items in order, as "text|symbol" ("-" for a separator).
QStringList menuItems(const OverviewNetworkCard& card)
{
    QStringList items;
    for (QAction* action : card.filterMenu()->actions())
        items << (action->isSeparator() ? QStringLiteral("-")
                                         : action->text() + QLatin1Char('|') + action->property("symbol").toString());
    return items;
}

void choose(const OverviewNetworkCard& card, const QString& text)
{
    for (QAction* action : card.filterMenu()->actions()) {
        if (action->text() == text) {
            action->trigger();
            QCoreApplication::processEvents();
            return;
        }
    }
    ADD_FAILURE() << "no menu item " << text.toStdString();
}

// The strongest ink of a button's icon as the button draws it now.
double iconInk(const QAbstractButton& button)
{
    const QImage image = button.icon()
                             .pixmap(button.iconSize(), button.isEnabled() ? QIcon::Normal : QIcon::Disabled)
                             .toImage()
                             .convertToFormat(QImage::Format_ARGB32);
    int strongest = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            strongest = std::max(strongest, qAlpha(image.pixel(x, y)));
    return strongest / 255.0;
}

} // namespace

TEST(OverviewTab, StepsThroughTheRecordedDaysAndBackToLive)
{
    OverviewRig rig;
    OverviewTab& tab = rig.open();
    OverviewDayHeader& header = *tab.header();
    EXPECT_EQ(header.dayLabel()->text(), QStringLiteral("Live"));
    EXPECT_FALSE(header.previousButton()->isEnabled());
    EXPECT_FALSE(header.nextButton()->isEnabled());
    EXPECT_FALSE(shown(header.liveButton()));
    EXPECT_EQ(tab.body(), OverviewTab::Body::Cards);
    const double liveNextInk = iconInk(*header.nextButton());

    // A file for yesterday appears while the tab is up.
    rig.writeDay(rig.daysAgo(1), threeNetworkDay(rig.daysAgo(1)));
    rig.writeText(rig.daysAgo(3), "{");
    tab.recheck();
    press(header.previousButton());
    EXPECT_EQ(rig.days.selectedDate(), rig.daysAgo(1));
    EXPECT_EQ(header.dayLabel()->text(), QStringLiteral("Yesterday"));
    EXPECT_TRUE(header.nextButton()->isEnabled());
    EXPECT_TRUE(shown(header.liveButton()));
    EXPECT_FALSE(header.previousButton()->isEnabled());   // nothing two days ago
    // Live, the disabled next-day chevron is 0.3 of its full colour, not
    // dimmed again for being disabled.
    EXPECT_NEAR(liveNextInk / iconInk(*header.nextButton()), 0.3, 0.03);
    ASSERT_TRUE(rig.settled());
    EXPECT_EQ(tab.body(), OverviewTab::Body::Cards);
    ASSERT_TRUE(tab.historicalSummary());
    EXPECT_EQ(textOf(tab, "ioTitle"), QStringLiteral("I/O (total)"));

    // Next from yesterday is live again, never a selected today.
    press(header.nextButton());
    EXPECT_FALSE(rig.days.selectedDate().isValid());
    EXPECT_EQ(header.dayLabel()->text(), QStringLiteral("Live"));
    EXPECT_FALSE(tab.historicalSummary());
    EXPECT_EQ(textOf(tab, "ioTitle"), QStringLiteral("I/O"));

    // The next-day button is not gated by files: a day without one has no data.
    rig.days.setSelectedDate(rig.daysAgo(4));
    EXPECT_EQ(header.dayLabel()->text(), QStringLiteral("Dec 6, 2026"));
    EXPECT_FALSE(header.previousButton()->isEnabled());
    ASSERT_TRUE(rig.settled());
    EXPECT_EQ(tab.body(), OverviewTab::Body::NoData);
    press(header.nextButton());
    EXPECT_EQ(header.dayLabel()->text(), QStringLiteral("Dec 7, 2026"));
    ASSERT_TRUE(rig.settled());
    EXPECT_EQ(tab.body(), OverviewTab::Body::NoData);   // a file that does not decode
    EXPECT_FALSE(header.previousButton()->isEnabled());
    press(header.liveButton());
    EXPECT_FALSE(rig.days.selectedDate().isValid());
    EXPECT_EQ(tab.body(), OverviewTab::Body::Cards);
}

TEST(OverviewTab, AnUndecodableDayShowsNoDataUnderAWorkingHeader)
{
    OverviewRig rig;
    rig.writeText(rig.daysAgo(1), "not json");
    rig.writeDay(rig.daysAgo(2), threeNetworkDay(rig.daysAgo(2)));
    OverviewTab& tab = rig.open();
    OverviewDayHeader& header = *tab.header();
    // Only existence counts for the button.
    press(header.previousButton());
    ASSERT_TRUE(rig.settled());
    EXPECT_EQ(tab.body(), OverviewTab::Body::NoData);
    EXPECT_TRUE(shown(tab.findChild<QWidget*>(QStringLiteral("noDataView"))));
    EXPECT_EQ(textOf(tab, "noDataTitle"), QStringLiteral("No data for this day"));
    EXPECT_EQ(textOf(tab, "noDataNote"), QStringLiteral("Halvorin records data in the background while running."));
    EXPECT_FALSE(shown(tab.findChild<QWidget*>(QStringLiteral("metricGrid"))));
    EXPECT_FALSE(shown(tab.findChild<QWidget*>(QStringLiteral("audioHistoryNote"))));

    // The day's file is mended while it is shown: it shows by itself.
    rig.writeDay(rig.daysAgo(1), threeNetworkDay(rig.daysAgo(1)));
    tab.recheck();
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return tab.body() == OverviewTab::Body::Cards; }));

    press(header.previousButton());   // the file of two days ago exists
    EXPECT_EQ(header.dayLabel()->text(), QStringLiteral("Dec 8, 2026"));
    press(header.nextButton());
    press(header.nextButton());
    EXPECT_EQ(header.dayLabel()->text(), QStringLiteral("Live"));
}

TEST(OverviewTab, AtMidnightTheLiveViewMovesToTheNewDayAndARecordedDayStays)
{
    OverviewRig rig;
    rig.clock.setWall(static_cast<double>(QDateTime(rig.today, QTime(23, 59, 40)).toSecsSinceEpoch()));
    rig.writeDay(rig.daysAgo(1), threeNetworkDay(rig.daysAgo(1)));
    OverviewTab& tab = rig.open();
    OverviewDayHeader& header = *tab.header();
    EXPECT_TRUE(header.previousButton()->isEnabled());   // Dec 9 is yesterday

    rig.clock.advance(30);
    rig.days.checkToday();   // what the day timer does at the start of Dec 11
    EXPECT_EQ(header.dayLabel()->text(), QStringLiteral("Live"));
    EXPECT_FALSE(header.previousButton()->isEnabled());   // now looks for Dec 10

    // A recorded day shown across midnight keeps its day; its name moves on.
    rig.days.setSelectedDate(rig.today);   // yesterday by now
    EXPECT_EQ(header.dayLabel()->text(), QStringLiteral("Yesterday"));
    EXPECT_TRUE(header.previousButton()->isEnabled());   // Dec 9
    rig.clock.advance(24 * 3600);
    rig.days.checkToday();
    EXPECT_EQ(rig.days.selectedDate(), rig.today);
    EXPECT_EQ(header.dayLabel()->text(), QStringLiteral("Dec 10, 2026"));
    EXPECT_TRUE(header.previousButton()->isEnabled());   // still Dec 9, not the clock's yesterday
}

TEST(OverviewTab, TheNetworkFilterNarrowsARecordedDayAndClearsOnEveryDayChange)
{
    OverviewRig rig;
    rig.writeDay(rig.daysAgo(1), threeNetworkDay(rig.daysAgo(1)));
    rig.writeDay(rig.daysAgo(2), threeNetworkDay(rig.daysAgo(2)));
    OverviewTab& tab = rig.open();
    OverviewNetworkCard& card = *tab.networkCard();
    EXPECT_FALSE(shown(card.filterButton()));
    EXPECT_TRUE(shown(card.reloadButton()));

    rig.days.shiftSelectedDate(-1);
    ASSERT_TRUE(rig.settled());
    EXPECT_TRUE(shown(card.filterButton()));
    EXPECT_FALSE(shown(card.reloadButton()));
    EXPECT_FALSE(shown(tab.findChild<QWidget*>(QStringLiteral("networkTrend"))));
    EXPECT_FALSE(shown(tab.findChild<QWidget*>(QStringLiteral("networkLegend"))));
    EXPECT_EQ(menuItems(card), (QStringList{"All Networks|checkmark", "-", "Home|wifi", "Cafe|wifi",
                                            "Ethernet|cable.connector"}));
    EXPECT_EQ(textOf(card, "connectionTitle"), QStringLiteral("Multiple Networks"));
    EXPECT_EQ(card.findChild<SymbolView*>(QStringLiteral("connectionSymbol"))->symbol(), QStringLiteral("network"));
    // All networks: the hours' totals, not the sum of the entries.
    EXPECT_EQ(textOf(card, "uploadValue"), QStringLiteral("3 MB"));
    EXPECT_EQ(textOf(card, "downloadValue"), QStringLiteral("4 MB"));
    EXPECT_EQ(textOf(card, "uploadLabel"), QStringLiteral("Sent"));
    EXPECT_EQ(textOf(card, "downloadLabel"), QStringLiteral("Received"));

    choose(card, QStringLiteral("Cafe"));
    EXPECT_EQ(card.filter().selection(), QStringLiteral("Cafe"));
    EXPECT_EQ(textOf(card, "connectionTitle"), QStringLiteral("Cafe"));
    EXPECT_EQ(card.findChild<SymbolView*>(QStringLiteral("connectionSymbol"))->symbol(), QStringLiteral("wifi"));
    EXPECT_EQ(textOf(card, "uploadValue"), QStringLiteral("1 MB"));
    EXPECT_EQ(textOf(card, "downloadValue"), QStringLiteral("2 MB"));
    EXPECT_EQ(menuItems(card), (QStringList{"All Networks|network", "-", "Home|wifi", "Cafe|checkmark",
                                            "Ethernet|cable.connector"}));

    const auto dayChangeClears = [&](auto change) {
        choose(card, QStringLiteral("Ethernet"));
        ASSERT_TRUE(card.filter().selection());
        change();
        ASSERT_TRUE(rig.settled());
        EXPECT_FALSE(card.filter().selection());
    };
    dayChangeClears([&] { rig.days.shiftSelectedDate(-1); });
    dayChangeClears([&] { rig.days.shiftSelectedDate(+1); });
    dayChangeClears([&] { rig.days.setSelectedDate(QDate()); });
    EXPECT_FALSE(shown(card.filterButton()));
}

TEST(OverviewTab, ASandboxedRunShowsTheHintInPlaceOfTheProcesses)
{
    overrideSandboxedForTesting(true);
    {
        OverviewRig rig;
        OverviewTab& tab = rig.open();
        auto* banner = tab.findChild<SandboxFeatureBanner*>();
        ASSERT_TRUE(banner);
        EXPECT_EQ(textOf(*banner, "bannerTitle"), QStringLiteral("Top processes unavailable"));
        EXPECT_EQ(textOf(*banner, "bannerDescription"),
                  QStringLiteral("The sandbox does not allow access to per-process CPU and memory data."));
        EXPECT_FALSE(tab.findChild<QWidget*>(QStringLiteral("processHeader")));
    }
    overrideSandboxedForTesting(std::nullopt);
}
