#pragma once

#include "tabs/overview/OverviewDay.h"

#include <QPointer>
#include <QWidget>

namespace Dunmorra {

class CPUProvider;
class ElidedLabel;
class SparklineView;
class TextLabel;

// The CPU load: live, the current total over the last minute's samples; for
// a recorded day, the day's mean of the hourly means over its hourly series.
class OverviewCpuCard : public QWidget {
    Q_OBJECT
public:
    explicit OverviewCpuCard(CPUProvider& cpu, QWidget* parent = nullptr);

    void showDay(const OverviewDay& day);

    // "Collecting…" below ten samples, then "Last N s".
    static QString liveCaption(int samples);
    // "Peak P%  ·  Hourly avg, 24 h", the peak truncated.
    static QString recordedCaption(double peakPercent);

private:
    void refresh();

    CPUProvider& m_cpu;
    OverviewDay m_day;
    ElidedLabel* m_value = nullptr;
    SparklineView* m_trend = nullptr;
    TextLabel* m_caption = nullptr;
};

} // namespace Dunmorra
