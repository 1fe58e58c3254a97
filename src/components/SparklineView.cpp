#include "components/SparklineView.h"

#include "components/Sparkline.h"

#include <QPainter>


namespace Dunmorra {

SparklineView::SparklineView(const QColor& color, bool autoScale, const QString& label, QWidget* parent)
    : QWidget(parent)
    , m_color(color)
    , m_autoScale(autoScale)
{
    setUpSparklineWidget(this, label);
}

void SparklineView::setValues(std::vector<double> values)
{
    if (values == m_values)
        return;
    m_values = std::move(values);
    update();
}

void SparklineView::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void SparklineView::paintEvent(QPaintEvent*)
{
    if (m_values.size() < 2)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const auto norm = normalizeSparklineValues(m_values, m_autoScale);
    strokeSparkline(p, sparklinePath(norm, width(), height()), m_color);
}

} // namespace Dunmorra
