#pragma once

#include "components/Card.h"

#include <QColor>
#include <QStringList>

namespace Dunmorra {

class SegmentedPicker;
class SparklineView;

// The usage-history card of the CPU and Memory pages: its title with a
// picker of time ranges, the line of the chosen range (fractions on a fixed
// 0...1 scale, 60 high) and the 0% and 100% marks under it. The page owns
// the range and feeds the line.
class UsageHistoryCard : public Card {
    Q_OBJECT
public:
    UsageHistoryCard(const QString& title, const QStringList& rangeLabels, const QColor& lineColor,
                     const QString& accessibleName, QWidget* parent = nullptr);

    SegmentedPicker* picker() const { return m_picker; }
    SparklineView* sparkline() const { return m_sparkline; }

private:
    SegmentedPicker* m_picker;
    SparklineView* m_sparkline;
};

} // namespace Dunmorra
