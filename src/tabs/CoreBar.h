#pragma once

#include "components/Card.h"
#include "model/CPUSnapshot.h"

#include <QString>

#include <optional>
#include <vector>

namespace Dunmorra {

class SparklineView;
class TextLabel;
class ThinBar;

// One core of the per-core grid: its label and load, an animated bar, its
// last minute as a small line and, on a chip with two kinds of core, whether
// it is a performance or an efficiency core. Kept across refreshes, so the
// bar's easing can run.
class CoreBar : public Card {
    Q_OBJECT
public:
    explicit CoreBar(QWidget* parent = nullptr);

    // usage in percent as the provider stores it; no kind on a chip whose
    // cores are all of one kind (no caption then).
    void setUsage(const QString& label, double usage, std::optional<CoreKind> kind);
    // The core's last minute as fractions; the line shows only when there is one.
    void setHistory(std::vector<double> history);

    QString label() const { return m_label; }
    double usage() const { return m_usage; }
    bool isPerformance() const { return m_kind == CoreKind::performance; }
    std::optional<CoreKind> kind() const { return m_kind; }
    ThinBar* bar() const { return m_bar; }
    SparklineView* sparkline() const { return m_sparkline; }

    // "P1 performance core, 37 percent"; "C1 core, 37 percent" without a kind.
    static QString accessibleText(const QString& label, double usage, std::optional<CoreKind> kind);

private:
    QString m_label;
    double m_usage = 0;
    std::optional<CoreKind> m_kind;
    TextLabel* m_labelText;
    TextLabel* m_usageText;
    ThinBar* m_bar;
    SparklineView* m_sparkline;
    TextLabel* m_caption;
};

} // namespace Dunmorra
