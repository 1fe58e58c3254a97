#pragma once

#include "components/TabPage.h"
#include "model/MemorySnapshot.h"
#include "tabs/MemTimeRange.h"

#include <QColor>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QVBoxLayout;

namespace Dunmorra {

class InfoRow;
class MemoryBreakdownRow;
class ProcessRow;
class MemoryProvider;
class SegmentedPicker;
class SparklineView;
class StatusDot;
class TextLabel;
class ThinBar;
class UserSettings;
template <typename Key, typename Row> class KeyedRows;

// The Memory page: used memory against the total with a bar coloured by the
// pressure level, the level with the wired, compressed and swap figures, the
// breakdown of physical memory, the usage history over a chosen range and
// the largest processes. Reads the provider, never writes to it.
class MemoryTab : public TabPage {
    Q_OBJECT
public:
    MemoryTab(MemoryProvider& memory, UserSettings& settings, QWidget* parent = nullptr);
    ~MemoryTab() override;

    MemTimeRange timeRange() const { return m_timeRange; }
    void setTimeRange(MemTimeRange range);

    static QColor pressureColor(MemorySnapshot::MemoryPressure pressure);
    // "Nominal", "Warning", "Critical", translated.
    static QString pressureText(MemorySnapshot::MemoryPressure pressure);
    // Bytes in GB of 2^30 with the given fraction digits: "12.0 GB".
    static QString gigabytes(double bytes, int digits);
    // Used over total, within 0...1; 0 for a total of 0.
    static double usedFraction(const MemorySnapshot& snapshot);
    // formatBytes of the swap in use, or "None" when no swap is configured.
    static QString swapText(const MemorySnapshot& snapshot);

    // App, wired, compressed and free memory in GB; free is total minus used,
    // never below 0.
    static std::array<double, 4> breakdownGigabytes(const MemorySnapshot& snapshot);
    // A breakdown bar's share: value over total within 0...1; a quotient that
    // is negative or not a number (a total of 0) draws nothing.
    static double breakdownFraction(double value, double total);

    // The usage-history chart's series (fractions of the total) for the range.
    std::vector<double> historySeries() const;

private:
    QWidget* buildUsageCard();
    QWidget* buildPressureCard();
    QWidget* buildBreakdownSection();
    QWidget* buildHistoryCard();
    QWidget* buildProcessSection(UserSettings& settings);

    void refreshCurrent();
    void refreshUsageHistory();

    MemoryProvider& m_memory;
    MemTimeRange m_timeRange = MemTimeRange::m5;

    TextLabel* m_usedText = nullptr;
    ThinBar* m_usageBar = nullptr;
    TextLabel* m_totalText = nullptr;
    StatusDot* m_pressureDot = nullptr;
    TextLabel* m_pressureText = nullptr;
    InfoRow* m_wired = nullptr;
    InfoRow* m_compressed = nullptr;
    InfoRow* m_swap = nullptr;
    std::array<MemoryBreakdownRow*, 4> m_breakdown{};
    SegmentedPicker* m_rangePicker = nullptr;
    SparklineView* m_historySparkline = nullptr;
    std::unique_ptr<KeyedRows<std::int32_t, ProcessRow>> m_processRows;
};

} // namespace Dunmorra
