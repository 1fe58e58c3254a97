#pragma once

#include <QColor>
#include <QPolygonF>
#include <QWidget>

#include <vector>

namespace Dunmorra {

// Two series on one scale from 0 to their shared maximum: the secondary one
// underneath at 0.75 of its colour's opacity, the primary on top.
class DualSparklineView : public QWidget {
    Q_OBJECT
public:
    DualSparklineView(const QColor& primaryColor, const QColor& secondaryColor, const QString& label, QWidget* parent = nullptr);

    // "Dual metric trend": the accessible name every two-series chart takes.
    static QString trendName();

    void setValues(std::vector<double> primary, std::vector<double> secondary);
    const std::vector<double>& primary() const { return m_primary; }
    const std::vector<double>& secondary() const { return m_secondary; }

    // The largest value of both series, 1 when both are empty.
    static double sharedMaximum(const std::vector<double>& a, const std::vector<double>& b);

    QSize sizeHint() const override { return {60, 12}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::vector<double> m_primary;
    std::vector<double> m_secondary;
    // Both lines for the series at m_pathSize; rebuilt when either changes.
    QPolygonF m_primaryPoints;
    QPolygonF m_secondaryPoints;
    QSize m_pathSize;
    QColor m_primaryColor;
    QColor m_secondaryColor;
};

} // namespace Dunmorra
