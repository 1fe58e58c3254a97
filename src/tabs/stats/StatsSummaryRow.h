#pragma once

#include "history/DayStats.h"

#include <QWidget>

#include <vector>

namespace Dunmorra {

class TextLabel;

// The four cards above the Stats charts: days recorded, average CPU, peak
// CPU and the range's total network data.
class StatsSummaryRow : public QWidget {
    Q_OBJECT
public:
    explicit StatsSummaryRow(QWidget* parent = nullptr);

    void setStats(const std::vector<DayStats>& stats);

    // The value texts, in card order.
    QStringList values() const;

private:
    TextLabel* addCard(const QString& symbol, const QColor& tint, const QString& title, const char* name);
    void setValue(TextLabel* label, const QString& value);

    TextLabel* m_days = nullptr;
    TextLabel* m_avgCPU = nullptr;
    TextLabel* m_peakCPU = nullptr;
    TextLabel* m_totalData = nullptr;
};

} // namespace Dunmorra
