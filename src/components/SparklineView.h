#pragma once

#include <QColor>
#include <QPolygonF>
#include <QWidget>

#include <vector>

namespace Dunmorra {

// One series as a stroked line, no axes or fill; fills the size it is given.
// Fewer than two points draw nothing (the view still takes its height).
class SparklineView : public QWidget {
    Q_OBJECT
public:
    SparklineView(const QColor& color, bool autoScale, const QString& label, QWidget* parent = nullptr);

    // "Metric trend": the accessible name every one-series chart takes.
    static QString trendName();

    // Repaints only when the series differs.
    void setValues(std::vector<double> values);
    const std::vector<double>& values() const { return m_values; }
    void setColor(const QColor& color);
    QColor color() const { return m_color; }
    bool autoScale() const { return m_autoScale; }

    QSize sizeHint() const override { return {60, 12}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::vector<double> m_values;
    // The line for m_values at m_pathSize; rebuilt when either changes.
    QPolygonF m_points;
    QSize m_pathSize;
    QColor m_color;
    bool m_autoScale;
};

} // namespace Dunmorra
