#pragma once

#include <QColor>
#include <QWidget>

namespace Dunmorra {

// A chart legend entry: a filled 8 x 8 dot in the series' colour and its name.
class LegendItem : public QWidget {
    Q_OBJECT
public:
    LegendItem(const QColor& color, const QString& text, QWidget* parent = nullptr);
    // With its own text font (the dot keeps its size).
    LegendItem(const QColor& color, const QString& text, const QFont& font, QWidget* parent = nullptr);
};

} // namespace Dunmorra
