#include "components/OverlaidSparklineView.h"

#include "components/Card.h"
#include "components/Palette.h"
#include "components/Sparkline.h"

#include <QPainter>

namespace Dunmorra {

OverlaidSparklineView::OverlaidSparklineView(const QColor& lowerColor, const QColor& upperColor, const QString& label,
                                             QWidget* parent)
    : QWidget(parent)
    , m_lowerColor(lowerColor)
    , m_upperColor(upperColor)
{
    setUpSparklineWidget(this, label);
}

void OverlaidSparklineView::setValues(std::vector<double> lower, std::vector<double> upper)
{
    if (lower == m_lower && upper == m_upper)
        return;
    m_lower = std::move(lower);
    m_upper = std::move(upper);
    m_pathSize = QSize();
    update();
}

void OverlaidSparklineView::showEvent(QShowEvent* event)
{
    Card::claimOpaqueOnCard(this);
    QWidget::showEvent(event);
}

void OverlaidSparklineView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    Card::fillBehind(this, p);
    if (m_pathSize != size()) {
        m_lowerPoints = sparklinePoints(normalizeSparklineValues(m_lower, true), width(), height());
        m_upperPoints = sparklinePoints(normalizeSparklineValues(m_upper, true), width(), height());
        m_pathSize = size();
    }
    p.setRenderHint(QPainter::Antialiasing);
    // On the card a translucent colour is drawn as its blend with the card,
    // opaque: the same pixels everywhere but where the lines cross, where the
    // upper line covers the lower one instead of letting a fifth of it show,
    // at a fraction of the cost of one long translucent outline.
    const bool onCard = testAttribute(Qt::WA_OpaquePaintEvent);
    for (const auto& [points, color] : {std::pair{&m_lowerPoints, m_lowerColor}, std::pair{&m_upperPoints, m_upperColor}})
        strokeSparkline(p, *points, onCard ? compositeOver(color, controlBackground()) : color);
}

} // namespace Dunmorra
