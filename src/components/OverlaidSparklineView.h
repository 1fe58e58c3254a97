#pragma once

#include <QColor>
#include <QPolygonF>
#include <QWidget>

#include <vector>

namespace Dunmorra {

// Two series over each other in one view, each scaled to its own minimum and
// maximum: the lower line first, the upper one over it. One view, so neither
// line's background fill can wipe the other.
class OverlaidSparklineView : public QWidget {
    Q_OBJECT
public:
    OverlaidSparklineView(const QColor& lowerColor, const QColor& upperColor, const QString& label,
                          QWidget* parent = nullptr);

    // Repaints only when a series differs.
    void setValues(std::vector<double> lower, std::vector<double> upper);
    const std::vector<double>& lower() const { return m_lower; }
    const std::vector<double>& upper() const { return m_upper; }
    QColor lowerColor() const { return m_lowerColor; }
    QColor upperColor() const { return m_upperColor; }

    QSize sizeHint() const override { return {60, 12}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::vector<double> m_lower;
    std::vector<double> m_upper;
    // Both lines at m_pathSize; rebuilt when a series or the size changes.
    QPolygonF m_lowerPoints;
    QPolygonF m_upperPoints;
    QSize m_pathSize;
    QColor m_lowerColor;
    QColor m_upperColor;
};

} // namespace Dunmorra
