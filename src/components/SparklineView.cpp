#include "components/SparklineView.h"

#include "components/Card.h"
#include "components/Palette.h"
#include "components/Sparkline.h"

#include <QPainter>


namespace Dunmorra {

QString SparklineView::trendName()
{
    return tr("Metric trend");
}

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
    m_pathSize = QSize();
    update();
}

void SparklineView::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void SparklineView::showEvent(QShowEvent* event)
{
    Card::claimOpaqueOnCard(this);
    QWidget::showEvent(event);
}

void SparklineView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    Card::fillBehind(this, p);
    if (m_values.size() < 2)
        return;
    if (m_pathSize != size()) {
        m_points = sparklinePoints(normalizeSparklineValues(m_values, m_autoScale), width(), height());
        m_pathSize = size();
    }
    p.setRenderHint(QPainter::Antialiasing);
    // Over the card's fill a translucent line is that blend drawn opaque:
    // the same pixels, in short strokes that the painter fills on its own
    // thread (one long translucent outline is handed to a pool of threads).
    strokeSparkline(p, m_points,
                    testAttribute(Qt::WA_OpaquePaintEvent) ? compositeOver(m_color, controlBackground()) : m_color);
}

} // namespace Dunmorra
