#pragma once

#include "model/MemorySnapshot.h"
#include "tabs/overview/OverviewDay.h"

#include <QColor>
#include <QWidget>

#include <cstdint>

namespace Dunmorra {

class ElidedLabel;
class MemoryProvider;
class TextLabel;
class ThinBar;

// Memory in use: live, the current figure against the total; for a recorded
// day, the day's mean against this machine's total now. The bar takes the
// pressure of now in both cases, since a day file records none.
class OverviewMemoryCard : public QWidget {
    Q_OBJECT
public:
    explicit OverviewMemoryCard(MemoryProvider& memory, QWidget* parent = nullptr);

    void showDay(const OverviewDay& day);

    // The value in GB and the bar's fraction, live or for the day.
    struct Figures {
        double valueGB = 0;
        double fraction = 0;
    };
    static Figures liveFigures(const MemorySnapshot& now);
    static Figures recordedFigures(const DailySummary& day, std::uint64_t totalBytesNow);
    static QColor pressureColor(MemorySnapshot::MemoryPressure pressure);
    // "of 16 GB  ·  warning".
    static QString liveCaption(const MemorySnapshot& now);
    // "Avg · Peak 11.4 GB".
    static QString recordedCaption(double peakGB);

private:
    void refresh();

    MemoryProvider& m_memory;
    OverviewDay m_day;
    ElidedLabel* m_value = nullptr;
    ThinBar* m_bar = nullptr;
    TextLabel* m_caption = nullptr;
};

} // namespace Dunmorra
