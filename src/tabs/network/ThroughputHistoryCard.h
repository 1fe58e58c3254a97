#pragma once

#include "components/Card.h"
#include "model/HistoryRing.h"
#include "tabs/network/NetTimeRange.h"

#include <vector>

namespace Dunmorra {

class DualSparklineView;
class SegmentedPicker;
class TextLabel;

// Download over upload on one scale for the chosen range, from the last
// minute to the last day.
class ThroughputHistoryCard : public Card {
    Q_OBJECT
public:
    explicit ThroughputHistoryCard(QWidget* parent = nullptr);

    NetTimeRange timeRange() const { return m_timeRange; }
    void setTimeRange(NetTimeRange range);

    void setRings(const HistoryRing<double>& download, const HistoryRing<double>& upload);

    // A ring's chart series for a range: the shared range-series rule over
    // plain bytes per second.
    static std::vector<double> series(const HistoryRing<double>& ring, NetTimeRange range);

    DualSparklineView* chart() const { return m_chart; }

Q_SIGNALS:
    void timeRangeChanged();

private:
    NetTimeRange m_timeRange = NetTimeRange::s60;
    SegmentedPicker* m_picker = nullptr;
    DualSparklineView* m_chart = nullptr;
    TextLabel* m_leftAxis = nullptr;
};

} // namespace Dunmorra
