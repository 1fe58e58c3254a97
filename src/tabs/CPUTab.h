#pragma once

#include "components/TabPage.h"
#include "model/CPUSnapshot.h"
#include "model/HistoryRing.h"
#include "tabs/CPUTimeRange.h"

#include <QPointer>

#include <memory>
#include <optional>
#include <vector>

class QVBoxLayout;

namespace Dunmorra {

class AdaptiveGridLayout;
class CPUProvider;
class CoreBar;
class SegmentedPicker;
class SparklineView;
class TextLabel;
class UserSettings;
class ProcessRow;
template <typename Key, typename Row> class KeyedRows;

// The CPU page: total load with its last minute, the chip, one bar per core,
// the usage history over a chosen range and the busiest processes. Reads the
// provider, never writes to it; each provider signal redraws only the parts
// that depend on it.
class CPUTab : public TabPage {
    Q_OBJECT
public:
    CPUTab(CPUProvider& cpu, UserSettings& settings, QWidget* parent = nullptr);
    ~CPUTab() override;

    CPUTimeRange timeRange() const { return m_timeRange; }
    void setTimeRange(CPUTimeRange range);

    // Each core by its own kind, wherever it sits in the CPU numbering:
    // E1..En for the efficiency cores and P1..Pn for the performance cores,
    // each in CPU-number order; C1..Cn on a chip whose cores are all of one
    // kind (empty kinds), which then shows no kind at all.
    static QString coreLabel(int index, const std::vector<CoreKind>& kinds);
    static std::optional<CoreKind> coreKind(int index, const std::vector<CoreKind>& kinds);
    // Entry index of every snapshot that has it, as fractions, oldest first;
    // snapshots with fewer cores are left out.
    static std::vector<double> coreHistory(const HistoryRing<CPUSnapshot>& history, int index);
    // The total of every snapshot as a fraction, oldest first.
    static std::vector<double> usageCardSeries(const HistoryRing<CPUSnapshot>& history);
    // The usage-history chart's series for the selected range.
    std::vector<double> historySeries() const;

    CoreBar* coreBar(int index) const;
    int coreBarCount() const { return static_cast<int>(m_coreBars.size()); }

private:
    QWidget* buildUsageCard();
    QWidget* buildChipCard();
    QWidget* buildPerCoreSection();
    QWidget* buildHistoryCard();
    QWidget* buildProcessSection(UserSettings& settings);

    void refreshCurrent();
    void refreshHistory();
    void refreshUsageHistory();
    void refreshCores();

    CPUProvider& m_cpu;
    CPUTimeRange m_timeRange = CPUTimeRange::s60;

    TextLabel* m_usageText = nullptr;
    SparklineView* m_usageSparkline = nullptr;
    QWidget* m_perCoreSection = nullptr;
    AdaptiveGridLayout* m_coreGrid = nullptr;
    std::vector<CoreBar*> m_coreBars;
    SegmentedPicker* m_rangePicker = nullptr;
    SparklineView* m_historySparkline = nullptr;
    QVBoxLayout* m_processRowsLayout = nullptr;
    std::unique_ptr<KeyedRows<std::int32_t, ProcessRow>> m_processRows;
};

} // namespace Dunmorra
