#pragma once

#include <QColor>
#include <QWidget>

namespace Dunmorra {

class TextLabel;

// A chart card's legend entry: a 12 x 4 swatch of the series' colour, its
// name and the range's figure for it.
class StatsLegendItem : public QWidget {
    Q_OBJECT
public:
    StatsLegendItem(const QColor& color, const QString& label, QWidget* parent = nullptr);

    void setValue(const QString& value);
    QString value() const;
    QString label() const;

private:
    TextLabel* m_label;
    TextLabel* m_value;
};

} // namespace Dunmorra
