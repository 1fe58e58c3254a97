#include "tabs/stats/StatsTab.h"

#include "components/SegmentedPicker.h"
#include "history/DayFile.h"
#include "history/HistoryRecorder.h"
#include "tabs/stats/StatsBarChart.h"
#include "tabs/stats/StatsChartCard.h"
#include "tabs/stats/StatsLegendItem.h"
#include "tabs/stats/StatsSummaryRow.h"
#include "tabs/stats/StatsTrendChart.h"
#include "history/StatsFigures.h"
#include "support/EventLoop.h"
#include "support/ManualClock.h"

#include <QAbstractButton>
#include <QAreaSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace Dunmorra {
namespace {

constexpr double kMB = 1048576.0;

// A day of one hour bucket with the given figures.
DailySummary dayWith(QDate day, double cpu, double peakCPU, double peakGB, double upMB, double downMB)
{
    DailySummary s = DailySummary::emptyFor(day);
    HourBucket b = HourBucket::forHour(12);
    b.cpu = {cpu, 1, peakCPU, s.date};
    b.memoryGB = {peakGB / 2, 1, peakGB, s.date};
    b.networkUpBytes = upMB * kMB;
    b.networkDownBytes = downMB * kMB;
    s.hours.push_back(b);
    return s;
}

class StatsTabTest : public ::testing::Test {
protected:
    void writeDay(int daysBack, const DailySummary& s)
    {
        ASSERT_FALSE(DayFile::write(DayFile::path(today.addDays(-daysBack), dir), s));
    }
    void writeDay(int daysBack, double cpu, double peakCPU, double peakGB, double upMB, double downMB)
    {
        writeDay(daysBack, dayWith(today.addDays(-daysBack), cpu, peakCPU, peakGB, upMB, downMB));
    }
    std::unique_ptr<StatsTab> makeTab(StatsTab::ExportServices services = {})
    {
        if (!services.chooseFile)
            services.chooseFile = [](QWidget*, const QString&) { return QString(); };
        if (!services.showError)
            services.showError = [this](QWidget*, const QString& message) { errors << message; };
        return std::make_unique<StatsTab>(recorder, clock, std::move(services));
    }
    static bool loaded(const StatsTab& tab)
    {
        return Dunmorra::Test::settle([&] { return !tab.isLoading() && tab.chartsShown(); });
    }
    static bool shown(const StatsTab& tab, const char* name)
    {
        return !tab.findChild<QWidget*>(QLatin1String(name))->isHidden();
    }
    static QStringList legendValues(const StatsTab& tab, const char* card)
    {
        auto* c = tab.findChild<StatsChartCard*>(QLatin1String(card));
        return {c->firstLegend()->value(), c->secondLegend()->value()};
    }

    QTemporaryDir tmp;
    QString dir = tmp.filePath(QStringLiteral("history"));
    QDate today{2026, 3, 10};
    Dunmorra::Test::ManualClock clock{static_cast<double>(QDateTime(today, QTime(15, 0)).toSecsSinceEpoch())};
    HistoryRecorder recorder{clock, dir, [] { return std::optional<std::int64_t>(0); }};
    QStringList errors;
};

TEST_F(StatsTabTest, LoadsTodayAloneWithoutHistory)
{
    auto tab = makeTab();
    auto* exportButton = tab->findChild<QPushButton*>(QStringLiteral("exportCSV"));
    EXPECT_TRUE(tab->isLoading());
    EXPECT_TRUE(shown(*tab, "loadingCard"));
    EXPECT_FALSE(shown(*tab, "statistics"));
    EXPECT_FALSE(exportButton->isEnabled());
    EXPECT_EQ(exportButton->accessibleName(), QStringLiteral("Export history data as CSV file"));

    ASSERT_TRUE(loaded(*tab));
    EXPECT_TRUE(shown(*tab, "statistics"));
    EXPECT_FALSE(shown(*tab, "loadingCard"));
    EXPECT_FALSE(shown(*tab, "emptyCard"));
    EXPECT_TRUE(exportButton->isEnabled());
    EXPECT_EQ(tab->findChild<StatsSummaryRow*>()->values(),
              (QStringList{"1", "0.0%", "0%", "0 KB"}));
    auto* days = tab->findChild<QLabel*>(QStringLiteral("daysRecorded"));
    EXPECT_EQ(days->accessibleName(), QStringLiteral("Days recorded: 1"));
}

TEST_F(StatsTabTest, CardsLegendsAndScalesCoverTheRecordedDays)
{
    // A week of six files and today: 100 MB down each file day.
    for (int back = 1; back <= 6; ++back)
        writeDay(back, 10.0 * back, 20.0 * back, back == 2 ? 16 : 0.5, back == 1 ? 1024 - 500 : 0, 100);
    auto tab = makeTab();
    ASSERT_TRUE(loaded(*tab));
    ASSERT_EQ(tab->stats().size(), 7u);
    // Avg CPU over seven rows (today's 0 included); peaks of 120 count as 120.
    EXPECT_EQ(tab->findChild<StatsSummaryRow*>()->values(),
              (QStringList{"7", "30.0%", "120%", "1.1 GB"}));
    EXPECT_EQ(legendValues(*tab, "networkChart"), (QStringList{"600 MB", "524 MB"}));
    EXPECT_EQ(legendValues(*tab, "memoryChart"), (QStringList{"1.3 GB", "16.0 GB"}));

    auto* cpu = tab->findChild<StatsChartCard*>(QStringLiteral("cpuChart"))->chart();
    EXPECT_EQ(StatsChartView::labels(cpu->yAxis()), (QStringList{"0%", "25%", "50%", "75%", "100%"}));
    EXPECT_EQ(cpu->yAxis()->max(), 100);
    EXPECT_EQ(StatsChartView::labels(cpu->xAxis()).size(), 7);
    EXPECT_EQ(cpu->accessibleName(), QStringLiteral("CPU usage trend. Avg 30 percent, peak 120 percent."));
    auto* memory = tab->findChild<StatsChartCard*>(QStringLiteral("memoryChart"))->chart();
    EXPECT_DOUBLE_EQ(memory->yAxis()->max(), 17.6);
    EXPECT_EQ(memory->accessibleName(), QStringLiteral("Memory usage trend. Avg 1.3 GB."));
    auto* network = static_cast<StatsBarChart*>(tab->findChild<StatsChartCard*>(QStringLiteral("networkChart"))->chart());
    EXPECT_EQ(network->firstSet()->count(), 7);
    EXPECT_EQ(network->firstSet()->at(0), 100);   // the oldest day, six back
    EXPECT_GE(network->yAxis()->max(), 624);
}

TEST_F(StatsTabTest, BarSlotsKeepCalendarGapsAndMarksCountRecordedRows)
{
    // Ten recorded days over twenty calendar days, in the month.
    for (int back : {19, 17, 15, 13, 11, 9, 7, 5, 2})
        writeDay(back, 10, 10, 1, 0, 100);
    auto tab = makeTab();
    ASSERT_TRUE(loaded(*tab));
    tab->findChild<SegmentedPicker*>(QStringLiteral("rangePicker"))->segment(1)->click();
    EXPECT_EQ(tab->range(), StatsRange::month);
    // The week's rows stay until the month arrives; the loading card shows meanwhile.
    EXPECT_EQ(tab->stats().size(), 3u);
    EXPECT_TRUE(shown(*tab, "loadingCard"));
    EXPECT_FALSE(shown(*tab, "statistics"));
    ASSERT_TRUE(loaded(*tab));
    ASSERT_EQ(tab->stats().size(), 10u);

    auto* network = static_cast<StatsBarChart*>(tab->findChild<StatsChartCard*>(QStringLiteral("networkChart"))->chart());
    EXPECT_EQ(network->firstSet()->count(), 20);
    EXPECT_EQ(network->firstSet()->at(1), 0);      // nothing recorded 18 days back
    const QStringList marks = StatsChartView::labels(network->xAxis());
    ASSERT_EQ(marks.size(), 2);                    // rows 0 and 7
    EXPECT_EQ(network->xAxis()->endValue(network->xAxis()->categoriesLabels()[1]), 14);  // 5 days back
    auto* cpu = tab->findChild<StatsChartCard*>(QStringLiteral("cpuChart"))->chart();
    EXPECT_EQ(StatsChartView::labels(cpu->xAxis()).size(), 3);  // every 7th calendar day
}

// The runs of points a trend chart draws: each average line and each peak
// area's outline.
std::vector<QList<QPointF>> drawnRuns(const StatsTrendChart& chart)
{
    std::vector<QList<QPointF>> runs;
    for (const QLineSeries* line : chart.averageLines())
        runs.push_back(line->points());
    for (const QAreaSeries* area : chart.peakAreas())
        runs.push_back(area->upperSeries()->points());
    return runs;
}

TEST_F(StatsTabTest, ADayWithoutARecordBreaksTheTrendLinesInsteadOfReadingZero)
{
    // Three days back has no file: slot 3 of the week's seven.
    for (int back : {6, 5, 4, 2, 1})
        writeDay(back, 40, 60, 8, 0, 0);
    auto tab = makeTab();
    ASSERT_TRUE(loaded(*tab));
    ASSERT_EQ(tab->stats().size(), 6u);
    for (const char* name : {"cpuChart", "memoryChart"}) {
        SCOPED_TRACE(name);
        auto* chart = static_cast<StatsTrendChart*>(tab->findChild<StatsChartCard*>(QLatin1String(name))->chart());
        QList<double> drawnDays;
        for (const QList<QPointF>& run : drawnRuns(*chart)) {
            for (qsizetype i = 0; i < run.size(); ++i) {
                drawnDays << run[i].x();
                // No stroke or fill passes over the missing day.
                if (i > 0) {
                    EXPECT_FALSE(run[i - 1].x() < 3 && run[i].x() > 3) << run[i - 1].x() << " to " << run[i].x();
                }
            }
        }
        std::sort(drawnDays.begin(), drawnDays.end());
        drawnDays.erase(std::unique(drawnDays.begin(), drawnDays.end()), drawnDays.end());
        EXPECT_EQ(drawnDays, (QList<double>{0, 1, 2, 4, 5, 6}));
        // The days either side are still drawn as lines, not dots.
        EXPECT_EQ(chart->averageLines().size(), 2);
        EXPECT_EQ(chart->peakAreas().size(), 2);
    }
}

// A day file whose own date lies centuries off (edited by hand or damaged,
// still well formed) must not lay out a column per day in between.
TEST_F(StatsTabTest, ADayDatedCenturiesAwayKeepsTheDaySlotsBounded)
{
    for (const int year : {1526, 2526}) {
        SCOPED_TRACE(year);
        QTemporaryDir each;
        dir = each.filePath(QStringLiteral("history"));
        HistoryRecorder fresh{clock, dir, [] { return std::optional<std::int64_t>(0); }};
        writeDay(2, 10, 20, 1, 0, 50);
        writeDay(1, dayWith(QDate(year, 3, 9), 10, 20, 1, 0, 70));
        auto tab = std::make_unique<StatsTab>(fresh, clock);
        ASSERT_TRUE(loaded(*tab));
        ASSERT_EQ(tab->stats().size(), 3u);
        auto* network = static_cast<StatsBarChart*>(tab->findChild<StatsChartCard*>(QStringLiteral("networkChart"))->chart());
        EXPECT_LE(network->firstSet()->count(), StatsFigures::DaySlots::kMaxDaySlots);
        auto* cpu = static_cast<StatsTrendChart*>(tab->findChild<StatsChartCard*>(QStringLiteral("cpuChart"))->chart());
        EXPECT_LE(cpu->xAxis()->max() - cpu->xAxis()->min(), StatsFigures::DaySlots::kMaxDaySlots);
        EXPECT_LE(StatsChartView::labels(cpu->xAxis()).size(), StatsFigures::DaySlots::kMaxDaySlots);
        // The days of the range still show: two days back keeps its column.
        bool shown = false;
        for (int i = 0; i < network->firstSet()->count(); ++i)
            shown = shown || network->firstSet()->at(i) == 50;
        EXPECT_TRUE(shown) << "the recorded day two back lost its column";
    }
}

TEST_F(StatsTabTest, AlteredDayFileKeepsEveryAxisFinite)
{
    writeDay(1, 1e300, 1e300, 1e300, 1e300, 1e300);
    writeDay(2, 1e300, 1e300, 1e300, 1e300, 1e300);   // their sum is infinite
    auto tab = makeTab();
    ASSERT_TRUE(loaded(*tab));
    for (auto* card : tab->findChildren<StatsChartCard*>()) {
        SCOPED_TRACE(card->objectName().toStdString());
        EXPECT_TRUE(std::isfinite(card->chart()->yAxis()->max()));
        EXPECT_LT(card->firstLegend()->value().size(), 40);
    }
    EXPECT_EQ(tab->findChild<StatsSummaryRow*>()->values().at(3), QStringLiteral("17179869184.0 GB"));
}

TEST_F(StatsTabTest, ExportWritesTheShownRowsOrReportsTheFailure)
{
    writeDay(1, 10, 20, 1, 1, 1);
    QString proposed;
    QString target = tmp.filePath(QStringLiteral("out.csv"));
    StatsTab::ExportServices services;
    services.chooseFile = [&](QWidget*, const QString& name) {
        proposed = name;
        return target;
    };
    auto tab = makeTab(services);
    ASSERT_TRUE(loaded(*tab));
    tab->findChild<SegmentedPicker*>(QStringLiteral("rangePicker"))->segment(1)->click();
    ASSERT_TRUE(loaded(*tab));

    tab->findChild<QPushButton*>(QStringLiteral("exportCSV"))->click();
    EXPECT_EQ(proposed, QStringLiteral("Halvorin-30-days.csv"));
    QFile written(target);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(written.readAll()), tab->csvContent());
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_FALSE(tab->isExporting());

    // A folder that cannot hold the file: the user is told, nothing is left.
    target = tmp.filePath(QStringLiteral("no-such-folder/out.csv"));
    tab->exportCSV();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("no-such-folder"))) << errors[0].toStdString();
    EXPECT_FALSE(QFile::exists(target));

    // Cancelled: nothing written, nothing reported.
    target.clear();
    tab->exportCSV();
    EXPECT_EQ(errors.size(), 1);
    EXPECT_FALSE(tab->isExporting());
}

} // namespace
} // namespace Dunmorra
