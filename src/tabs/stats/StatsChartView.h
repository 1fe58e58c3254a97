#pragma once

#include <QChartView>
#include <QString>

#include <vector>

class QCategoryAxis;

namespace Dunmorra {

// A value on an axis and the text shown at it, with a grid line.
struct AxisMark {
    double value = 0;
    QString label;
};

// The frame every Stats chart shares: 130 high, no background of its own
// (the card's shows through), no built-in legend, and both axes made of
// explicit marks, each with its grid line and its own text. The x axis
// counts day slots: slot 0 is the first recorded day, each slot one
// calendar day, centred on its integer value.
class StatsChartView : public QChartView {
    Q_OBJECT
public:
    static constexpr int kHeight = 130;

    explicit StatsChartView(QWidget* parent = nullptr);

    // Replaces the range and marks of an axis. Marks outside [lo, hi] are
    // dropped; a label that repeats an earlier one stays distinct.
    void setXAxis(double lo, double hi, const std::vector<AxisMark>& marks);
    void setYAxis(double lo, double hi, const std::vector<AxisMark>& marks);

    QCategoryAxis* xAxis() const { return m_x; }
    QCategoryAxis* yAxis() const { return m_y; }
    // The texts of an axis's marks in order, for tests and accessibility.
    static QStringList labels(QCategoryAxis* axis);

protected:
    void changeEvent(QEvent* event) override;
    // Attaches a series that the subclass added to the chart to both axes.
    void attach(class QAbstractSeries* series);

private:
    void applyColors();

    QCategoryAxis* m_x;
    QCategoryAxis* m_y;
};

} // namespace Dunmorra
