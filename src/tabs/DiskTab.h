#pragma once

#include "components/TabPage.h"
#include "model/DiskSnapshot.h"
#include "model/HistoryRing.h"

#include <vector>

namespace Dunmorra {

class DiskProvider;
class IconLabel;
class OverlaidSparklineView;
class SparklineView;
class TextLabel;
class ThinBar;

// The Disk page: read and write rates with their last minute, both curves
// over each other, and the root volume's sizes. No controls.
class DiskTab : public TabPage {
    Q_OBJECT
public:
    explicit DiskTab(DiskProvider& disk, QWidget* parent = nullptr);

    // Used over total; 0 for a total of 0.
    static double volumeFraction(const DiskSnapshot& snapshot);
    static std::vector<double> readSeries(const HistoryRing<DiskSnapshot>& history);
    static std::vector<double> writeSeries(const HistoryRing<DiskSnapshot>& history);

private:
    QWidget* buildHistoryCard();
    QWidget* buildVolumeSection();

    void refreshCurrent();
    void refreshHistory();

    DiskProvider& m_disk;
    TextLabel* m_readRate = nullptr;
    TextLabel* m_writeRate = nullptr;
    SparklineView* m_readTileLine = nullptr;
    SparklineView* m_writeTileLine = nullptr;
    OverlaidSparklineView* m_ioChart = nullptr;
    IconLabel* m_volumeName = nullptr;
    TextLabel* m_free = nullptr;
    ThinBar* m_volumeBar = nullptr;
    TextLabel* m_used = nullptr;
    TextLabel* m_total = nullptr;
};

} // namespace Dunmorra
