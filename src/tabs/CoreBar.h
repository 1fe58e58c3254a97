#pragma once

#include "components/Card.h"

#include <QString>

#include <vector>

namespace Dunmorra {

class SparklineView;
class TextLabel;
class ThinBar;

// One core of the per-core grid: its label and load, an animated bar, its
// last minute as a small line and whether it is a performance or an
// efficiency core. Kept across refreshes, so the bar's easing can run.
class CoreBar : public Card {
    Q_OBJECT
public:
    explicit CoreBar(QWidget* parent = nullptr);

    // usage in percent as the provider stores it.
    void setUsage(const QString& label, double usage, bool isPerformance);
    // The core's last minute as fractions; the line shows only when there is one.
    void setHistory(std::vector<double> history);

    QString label() const { return m_label; }
    double usage() const { return m_usage; }
    bool isPerformance() const { return m_isPerformance; }
    ThinBar* bar() const { return m_bar; }
    SparklineView* sparkline() const { return m_sparkline; }

    // "P1 performance core, 37 percent".
    static QString accessibleText(const QString& label, double usage, bool isPerformance);

private:
    QString m_label;
    double m_usage = 0;
    bool m_isPerformance = false;
    TextLabel* m_labelText;
    TextLabel* m_usageText;
    ThinBar* m_bar;
    SparklineView* m_sparkline;
    TextLabel* m_caption;
};

} // namespace Dunmorra
