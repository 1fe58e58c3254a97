#pragma once

#include "components/TabPage.h"
#include "history/DailySummary.h"
#include "history/DayStats.h"
#include "history/StatsHistoryLoader.h"
#include "history/StatsRange.h"
#include "tabs/stats/StatsChartView.h"
#include "model/Clock.h"

#include <QString>

#include <functional>
#include <vector>

class QPushButton;
class QTimer;

namespace Dunmorra {

class HistoryRecorder;
class SegmentedPicker;
class StatsBarChart;
class StatsChartCard;
class StatsSummaryRow;
class StatsTrendChart;

// The Stats page: 7, 30 or 90 days of history as summary cards and four
// charts, exported as CSV. Every time the page is built it starts again at
// "7 days" and loads that range; a new range loads again and the previous
// rows stay until its result arrives.
class StatsTab : public TabPage {
    Q_OBJECT
public:
    // How the export talks to the user; each is a dialog by default.
    struct ExportServices {
        // Where to save, proposing a file name; empty when the user cancels.
        std::function<QString(QWidget* parent, const QString& proposedName)> chooseFile;
        std::function<void(QWidget* parent, const QString& message)> showError;
    };

    explicit StatsTab(const HistoryRecorder& recorder, const Clock& clock = Clock::system(),
                      ExportServices services = {}, QWidget* parent = nullptr);

    StatsRange range() const { return m_range; }
    void setRange(StatsRange range);
    const std::vector<DayStats>& stats() const { return m_stats; }
    const std::vector<DailySummary>& dailySummaries() const { return m_summaries; }
    bool isLoading() const { return m_loader.isLoading(); }
    bool isExporting() const { return m_isExporting; }
    // Every chart card shows the stored rows.
    bool chartsShown() const { return m_nextChart >= kChartCount; }

    // The file the export would write for what the page shows.
    QString csvContent() const;
    // What "Export CSV" does: asks for a file and writes the rows shown now.
    // A failed write is shown to the user and leaves no partial file.
    void exportCSV();

private:
    QWidget* buildHeader();
    QWidget* buildLoadingCard();
    QWidget* buildEmptyCard();
    QWidget* buildStatistics();

    void applyHistory(const StatsHistory& history);
    void refreshBody();
    void prepareCharts();
    void showNextChart();
    void refreshCpuChart();
    void refreshMemoryChart();
    void refreshBarChart(StatsBarChart* chart, StatsChartCard* card, double DayStats::*first,
                         double DayStats::*second);

    StatsHistoryLoader m_loader;
    ExportServices m_services;
    StatsRange m_range = StatsRange::week;
    std::vector<DayStats> m_stats;
    std::vector<DailySummary> m_summaries;
    QDate m_lastDay;
    bool m_isExporting = false;

    // What every chart shares for the stored rows: the day slots of the x
    // axis and its date marks.
    static constexpr int kChartCount = 4;
    int m_nextChart = kChartCount;
    QTimer* m_chartTimer = nullptr;
    QDate m_firstSlotDay;
    int m_slotCount = 0;
    std::vector<AxisMark> m_trendMarks;
    std::vector<AxisMark> m_barMarks;

    SegmentedPicker* m_picker = nullptr;
    QPushButton* m_export = nullptr;
    QWidget* m_loadingCard = nullptr;
    QWidget* m_emptyCard = nullptr;
    QWidget* m_statistics = nullptr;
    StatsSummaryRow* m_summary = nullptr;
    StatsTrendChart* m_cpuChart = nullptr;
    StatsTrendChart* m_memoryChart = nullptr;
    StatsBarChart* m_networkChart = nullptr;
    StatsBarChart* m_diskChart = nullptr;
    StatsChartCard* m_cpuCard = nullptr;
    StatsChartCard* m_memoryCard = nullptr;
    StatsChartCard* m_networkCard = nullptr;
    StatsChartCard* m_diskCard = nullptr;
};

} // namespace Dunmorra
