#include "tabs/power/PowerTab.h"

#include "components/Divider.h"
#include "components/Palette.h"
#include "components/SparklineView.h"
#include "components/StatusDot.h"
#include "components/Symbols.h"
#include "components/SystemColors.h"
#include "components/ThinBar.h"
#include "components/Typography.h"
#include "history/DayFile.h"
#include "history/ReferenceTime.h"
#include "model/BatteryProvider.h"
#include "support/EventLoop.h"
#include "support/ManualClock.h"
#include "support/TestEnvironment.h"
#include "tabs/power/HealthTrendSection.h"
#include "tabs/power/PowerFigures.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>

using namespace Dunmorra;

namespace {

BatterySnapshot battery(std::int64_t percent, bool charging, bool full = false)
{
    BatterySnapshot b;
    b.percent = percent;
    b.isCharging = charging;
    b.isFullyCharged = full;
    return b;
}

QString textOf(const QWidget& root, const char* name)
{
    auto* label = root.findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

// Shown in its layout: a widget the page has hidden, or one inside a hidden parent, is not.
bool shows(const QWidget& root, const char* name)
{
    auto* w = root.findChild<QWidget*>(QLatin1String(name));
    return w && w->isVisibleTo(&root);
}

// A page on a battery the test describes, and a folder of day files.
struct PowerRig {
    Dunmorra::Test::ManualClock clock;
    std::vector<Platform::BatteryReading> readings;
    BatteryProvider provider{[this] { return readings; }, clock};
    QTemporaryDir history;
    std::unique_ptr<PowerTab> tab;

    explicit PowerRig(std::vector<Platform::BatteryReading> r = {})
        : readings(std::move(r))
    {
    }
    explicit PowerRig(Platform::BatteryReading r)
        : PowerRig(std::vector{std::move(r)})
    {
    }
    ~PowerRig()
    {
        tab.reset();
        Dunmorra::Test::finishBackgroundJobs();
    }

    QDate today() const { return localDateTimeFromUnix(clock.wallSeconds()).date(); }
    void writeDay(int daysAgo, std::int64_t health)
    {
        DailySummary day;
        day.date = dayStartReference(today().addDays(-daysAgo));
        day.batteryHealthPercent = health;
        ASSERT_FALSE(DayFile::write(DayFile::path(today().addDays(-daysAgo), history.path()), day));
    }
    PowerTab& open()
    {
        provider.refresh();
        tab = std::make_unique<PowerTab>(provider, history.path(), clock);
        Dunmorra::Test::finishBackgroundJobs();
        return *tab;
    }
    HealthTrendSection& trend() { return *tab->healthTrend(); }
};

// A charge-reporting battery with the given health (full over design).
Platform::BatteryReading withHealth(std::int64_t health)
{
    Platform::BatteryReading r;
    r.status = "Discharging";
    r.capacity = 50;
    r.chargeFullDesign = 5'000'000;
    r.chargeFull = std::max<std::int64_t>(1, health * 50'000);   // 0 full reads as no health at all
    r.chargeNow = 2'500'000;
    r.voltageNow = 12'000'000;
    r.currentNow = 1'000'000;
    return r;
}

std::vector<Platform::BatteryReading> fixtureBattery(const char* name)
{
    return BatteryProvider::sysfsReader(Dunmorra::Test::fixturePath(QStringLiteral("power/") + QLatin1String(name))
                                            .toStdString())();
}

} // namespace

TEST(PowerFigures, SymbolsAndColoursAtTheirThresholds)
{
    struct Case {
        BatterySnapshot b;
        const char* symbol;
        QColor bar, dot;
        const char* status;
    };
    const Case cases[] = {
        {battery(10, true), "battery.100percent.bolt", paletteGreen(), paletteGreen(), "Charging"},
        {battery(19, false), "battery.25percent", paletteRed(), paletteRed(), "On Battery"},
        {battery(20, false), "battery.25percent", paletteGreen(), palettePrimary(), "On Battery"},
        {battery(24, false), "battery.25percent", paletteGreen(), palettePrimary(), "On Battery"},
        {battery(25, false), "battery.50percent", paletteGreen(), palettePrimary(), "On Battery"},
        {battery(74, false), "battery.75percent", paletteGreen(), palettePrimary(), "On Battery"},
        {battery(75, false), "battery.100percent", paletteGreen(), palettePrimary(), "On Battery"},
        {battery(100, false, true), "battery.100percent", paletteGreen(), paletteGreen(), "Fully Charged"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PowerFigures::batteryIconName(c.b), QLatin1String(c.symbol)) << c.b.percent;
        EXPECT_EQ(PowerFigures::percentColor(c.b), c.bar) << c.b.percent;
        EXPECT_EQ(PowerFigures::statusColor(c.b), c.dot) << c.b.percent;
        EXPECT_EQ(PowerFigures::powerStatusText(c.b), QLatin1String(c.status)) << c.b.percent;
    }
    // The detail line's own small c; charging above 99 % without the flag is the time text's capital C.
    EXPECT_EQ(PowerFigures::statusDetail(battery(100, false, true)), QStringLiteral("Fully charged"));
    EXPECT_EQ(PowerFigures::statusDetail(battery(100, true)), QStringLiteral("Fully Charged"));
    BatterySnapshot left = battery(40, false);
    left.timeRemainingMinutes = 135;
    EXPECT_EQ(PowerFigures::statusDetail(left), QStringLiteral("2h 15m"));
}

TEST(PowerFigures, WattsNeedVoltageAndCurrentAndShowAsMagnitudes)
{
    BatterySnapshot b;
    b.voltageMV = 12'500;
    b.amperageMa = -1'500;
    EXPECT_DOUBLE_EQ(PowerFigures::powerWatts(b), 18.75);
    EXPECT_EQ(PowerFigures::wattsText(PowerFigures::powerWatts(b)), QStringLiteral("18.8 W"));
    EXPECT_EQ(PowerFigures::voltageText(b.voltageMV), QStringLiteral("12.50 V"));
    EXPECT_EQ(PowerFigures::currentText(b.amperageMa), QStringLiteral("1500 mA"));
    EXPECT_EQ(PowerFigures::currentText(std::numeric_limits<std::int64_t>::min()), QStringLiteral("9223372036854775808 mA"));
    b.voltageMV = 0;
    EXPECT_EQ(PowerFigures::powerWatts(b), 0.0);
    EXPECT_EQ(PowerFigures::voltageText(0), QStringLiteral("0.00 V"));
    b.voltageMV = 12'000;
    b.amperageMa = 0;
    EXPECT_EQ(PowerFigures::powerWatts(b), 0.0);
    EXPECT_EQ(PowerFigures::temperatureText(30.5), QStringLiteral("30.5 \u00B0C"));
}

TEST(PowerTab, WithoutABatteryOnlyOneCardAndNoPlaceholderFigure)
{
    PowerRig rig;
    PowerTab& tab = rig.open();
    EXPECT_EQ(textOf(tab, "noBatteryText"), QStringLiteral("No battery found"));
    EXPECT_FALSE(tab.healthTrend());
    for (QLabel* label : tab.findChildren<QLabel*>()) {
        EXPECT_FALSE(label->text().contains(QLatin1Char('%'))) << label->text().toStdString();
        EXPECT_FALSE(label->text().contains(QStringLiteral("4h 12m")));
    }
    EXPECT_FALSE(tab.findChild<SparklineView*>());

    // A battery that shows up later replaces the card with the page.
    rig.readings = fixtureBattery("charging");
    rig.provider.refresh();
    EXPECT_FALSE(tab.findChild<QWidget*>(QStringLiteral("noBatteryCard")));
    EXPECT_EQ(textOf(tab, "batteryPercent"), QStringLiteral("62%"));
    ASSERT_TRUE(tab.healthTrend());
}

TEST(PowerTab, ChargingLaptopShowsEveryCard)
{
    PowerRig rig(fixtureBattery("charging"));
    PowerTab& tab = rig.open();
    EXPECT_EQ(tab.findChild<SymbolView*>(QStringLiteral("batterySymbol"))->symbol(), QStringLiteral("battery.100percent.bolt"));
    EXPECT_EQ(textOf(tab, "batteryPercent"), QStringLiteral("62%"));
    auto* bar = tab.findChild<ThinBar*>(QStringLiteral("batteryBar"));
    EXPECT_DOUBLE_EQ(bar->fraction(), 0.62);
    EXPECT_EQ(bar->color(), paletteGreen());
    EXPECT_EQ(textOf(tab, "batteryDetail"), QStringLiteral("1h 35m"));
    EXPECT_EQ(tab.findChild<StatusDot*>(QStringLiteral("statusDot"))->color(), paletteGreen());
    EXPECT_EQ(textOf(tab, "powerStatus"), QStringLiteral("Charging"));
    EXPECT_TRUE(shows(tab, "powerRow"));
    EXPECT_EQ(textOf(tab, "powerLabel"), QStringLiteral("Charging"));
    EXPECT_EQ(textOf(tab, "powerValue"), QStringLiteral("18.0 W"));
    EXPECT_TRUE(shows(tab, "temperatureRow"));
    EXPECT_EQ(textOf(tab, "temperatureValue"), QStringLiteral("30.5 \u00B0C"));

    EXPECT_EQ(textOf(tab, "voltageTile"), QStringLiteral("12.00 V"));
    EXPECT_EQ(textOf(tab, "currentTile"), QStringLiteral("1500 mA"));
    EXPECT_EQ(textOf(tab, "powerTile"), QStringLiteral("18.0 W"));
    EXPECT_TRUE(shows(tab, "tile:temperatureTile"));
    auto* electrical = tab.findChild<QWidget*>(QStringLiteral("electricalCard"));
    int shownDividers = 0;
    for (auto* d : electrical->findChildren<Divider*>())
        shownDividers += d->isVisibleTo(&tab) ? 1 : 0;
    EXPECT_EQ(shownDividers, 3);

    EXPECT_EQ(textOf(tab, "conditionValue"), QStringLiteral("Good"));
    EXPECT_EQ(textOf(tab, "healthValue"), QStringLiteral("90%"));
    EXPECT_EQ(textOf(tab, "cycleCountValue"), QStringLiteral("120"));
    EXPECT_EQ(textOf(tab, "currentCapacityValue"), QStringLiteral("3100 mAh"));
    EXPECT_EQ(textOf(tab, "designCapacityValue"), QStringLiteral("5000 mAh"));

    QStringList titles;
    for (auto* title : tab.findChildren<QLabel*>(QStringLiteral("sectionTitle")))
        titles << title->text();
    EXPECT_EQ(titles, (QStringList{"Electrical", "Battery Health", "Health trend (7 days)"}));
}

TEST(PowerTab, DischargingWithoutTemperatureAndFullAtRest)
{
    PowerRig rig(fixtureBattery("discharging"));
    PowerTab& tab = rig.open();
    EXPECT_EQ(textOf(tab, "powerStatus"), QStringLiteral("On Battery"));
    EXPECT_EQ(textOf(tab, "powerLabel"), QStringLiteral("Draw"));
    EXPECT_FALSE(shows(tab, "temperatureRow"));
    EXPECT_FALSE(shows(tab, "tile:temperatureTile"));
    int shownDividers = 0;
    for (auto* d : tab.findChild<QWidget*>(QStringLiteral("electricalCard"))->findChildren<Divider*>())
        shownDividers += d->isVisibleTo(&tab) ? 1 : 0;
    EXPECT_EQ(shownDividers, 2);

    PowerRig full(fixtureBattery("full"));
    PowerTab& rest = full.open();
    EXPECT_EQ(textOf(rest, "powerStatus"), QStringLiteral("Fully Charged"));
    EXPECT_EQ(textOf(rest, "batteryDetail"), QStringLiteral("Fully charged"));
    EXPECT_EQ(rest.findChild<StatusDot*>(QStringLiteral("statusDot"))->color(), paletteGreen());
    EXPECT_FALSE(shows(rest, "powerRow"));   // no current at rest
    EXPECT_EQ(textOf(rest, "powerTile"), QStringLiteral("0.0 W"));
}

TEST(PowerTab, CapacityRowsAndTheirDividerFollowTheReadings)
{
    Platform::BatteryReading r = withHealth(90);
    r.chargeNow = 0;
    PowerRig rig(r);
    PowerTab& tab = rig.open();
    EXPECT_FALSE(shows(tab, "currentCapacityRow"));
    EXPECT_TRUE(shows(tab, "designCapacityRow"));
    auto* card = tab.findChild<QWidget*>(QStringLiteral("healthCard"));
    int shownDividers = 0;
    for (auto* d : card->findChildren<Divider*>())
        shownDividers += d->isVisibleTo(&tab) ? 1 : 0;
    EXPECT_EQ(shownDividers, 3);   // Design Capacity sits right under the Cycle Count divider

    rig.readings.front().chargeFullDesign = 0;
    rig.readings.front().chargeFull.reset();
    rig.provider.refresh();
    EXPECT_FALSE(shows(tab, "designCapacityRow"));
    EXPECT_FALSE(shows(tab, "currentCapacityRow"));
}

TEST(PowerTab, ChargeHistoryKeepsTheLastSixtyReadings)
{
    PowerRig rig(withHealth(90));
    PowerTab& tab = rig.open();
    auto* chart = tab.findChild<SparklineView*>(QStringLiteral("chargeSparkline"));
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->values(), (std::vector<double>{0.5}));   // one reading: nothing drawn
    EXPECT_FALSE(chart->autoScale());
    EXPECT_EQ(chart->accessibleName(), QStringLiteral("Metric trend"));
    EXPECT_TRUE(shows(tab, "chargeHistory"));
    for (int i = 0; i < 70; ++i) {
        rig.readings.front().capacity = i;
        rig.clock.advance(30);
        rig.provider.refresh();
    }
    ASSERT_EQ(chart->values().size(), 60u);
    EXPECT_DOUBLE_EQ(chart->values().front(), 0.10);
    EXPECT_DOUBLE_EQ(chart->values().back(), 0.69);
}

TEST(PowerTab, HealthTrendReadsThePastSixDaysAndTodaysLiveValue)
{
    struct Case {
        std::vector<std::pair<int, std::int64_t>> days;   // days ago, recorded health
        std::int64_t live;
        bool shown, stable;
        const char* text;      // stable: "Stable at …"; changing: first and last value
        const char* last;
    };
    const Case cases[] = {
        {{}, 92, true, true, "Stable at 92%", ""},
        {{{2, 90}}, 91, true, true, "Stable at 90%", ""},
        {{{2, 90}}, 92, true, false, "90%", "92%"},
        {{{2, 90}, {1, 92}}, 92, true, false, "90%", "92%"},
        {{{3, 85}}, 79, true, false, "85%", "79%"},
        {{{3, 85}}, 80, true, false, "85%", "80%"},
        {{{0, 50}}, 92, true, true, "Stable at 92%", ""},   // today's file never counts
        {{{2, 0}, {1, 0}}, 0, false, false, "", ""},
    };
    for (const Case& c : cases) {
        PowerRig rig(withHealth(c.live));
        for (const auto& [ago, health] : c.days)
            rig.writeDay(ago, health);
        PowerTab& tab = rig.open();
        const std::string what = std::string(c.text) + " live " + std::to_string(c.live);
        EXPECT_EQ(shows(tab, "healthTrend"), c.shown) << what;
        EXPECT_TRUE(shows(tab, "chargeHistory")) << what;
        if (!c.shown)
            continue;
        EXPECT_EQ(shows(tab, "stableHealth"), c.stable) << what;
        EXPECT_EQ(shows(tab, "changingHealth"), !c.stable) << what;
        if (c.stable) {
            EXPECT_EQ(textOf(tab, "stableText"), QLatin1String(c.text)) << what;
            continue;
        }
        EXPECT_EQ(textOf(tab, "firstHealth"), QLatin1String(c.text)) << what;
        EXPECT_EQ(textOf(tab, "lastHealth"), QLatin1String(c.last)) << what;
        auto* last = tab.findChild<TextLabel*>(QStringLiteral("lastHealth"));
        const QColor lastColor = last->palette().color(QPalette::WindowText);
        EXPECT_EQ(lastColor, c.live <= 79 ? paletteRed() : secondaryText()) << what;
        auto* chart = tab.findChild<SparklineView*>(QStringLiteral("healthSparkline"));
        EXPECT_TRUE(chart->autoScale());
        EXPECT_EQ(chart->color(), SystemColors::green());
        EXPECT_EQ(chart->accessibleName(), QStringLiteral("Battery health over the past 7 days"));
        EXPECT_DOUBLE_EQ(chart->values().back(), static_cast<double>(c.live) / 100.0) << what;
    }
}

TEST(PowerTab, HealthTrendSkipsUnusableDaysAndReadsOnlyWhenTheDayChanges)
{
    PowerRig rig(withHealth(88));
    for (int ago = 6; ago >= 1; --ago)
        rig.writeDay(ago, 96 - ago);   // 90 … 95
    QFile::remove(DayFile::path(rig.today().addDays(-4), rig.history.path()));
    QFile corrupt(DayFile::path(rig.today().addDays(-3), rig.history.path()));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly | QIODevice::Truncate));
    corrupt.write("{\"date\": 1");
    corrupt.close();
    rig.writeDay(2, 0);

    rig.open();
    EXPECT_EQ(rig.trend().series(), (std::vector<std::int64_t>{90, 91, 95, 88}));
    EXPECT_EQ(rig.trend().readsStarted(), 1);

    // Refreshes of the same day take the live value without touching the files.
    for (int i = 0; i < 5; ++i) {
        rig.clock.advance(30);
        rig.provider.refresh();
    }
    Dunmorra::Test::finishBackgroundJobs();
    EXPECT_EQ(rig.trend().readsStarted(), 1);

    // A new day: the window moves one day on, and yesterday's file joins it.
    rig.writeDay(0, 87);   // today's file, about to become yesterday's
    rig.clock.advance(86'400);
    rig.provider.refresh();
    Dunmorra::Test::finishBackgroundJobs();
    EXPECT_EQ(rig.trend().readsStarted(), 2);
    EXPECT_EQ(rig.trend().readDay(), rig.today());
    EXPECT_EQ(rig.trend().series(), (std::vector<std::int64_t>{91, 95, 87, 88}));
}
