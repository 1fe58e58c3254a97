#pragma once

#include "components/Card.h"

#include <QColor>

namespace Dunmorra {

class SparklineView;
class TextLabel;

// A rate with its last minute: the card title, the current rate as the
// card's large figure and an auto-scaled 32-unit trend line under it.
class RateTile : public Card {
    Q_OBJECT
public:
    // name: the rate label's object name; the trend is named name + "Trend".
    RateTile(const QString& symbol, const QString& title, const char* name, const QColor& trendColor,
             QWidget* parent = nullptr);

    TextLabel* rate() const { return m_rate; }
    SparklineView* trend() const { return m_trend; }

private:
    TextLabel* m_rate;
    SparklineView* m_trend;
};

} // namespace Dunmorra
