#include "components/DualSparklineView.h"

#include "components/Card.h"
#include "components/Palette.h"
#include "components/Sparkline.h"

#include <QPainter>

#include <algorithm>

namespace Dunmorra {

QString DualSparklineView::trendName()
{
    return tr("Dual metric trend");
}

DualSparklineView::DualSparklineView(const QColor& primaryColor, const QColor& secondaryColor, const QString& label, QWidget* parent)
    : QWidget(parent)
    , m_primaryColor(primaryColor)
    , m_secondaryColor(secondaryColor)
{
    setUpSparklineWidget(this, label);
}

void DualSparklineView::setValues(std::vector<double> primary, std::vector<double> secondary)
{
    if (primary == m_primary && secondary == m_secondary)
        return;
    m_primary = std::move(primary);
    m_secondary = std::move(secondary);
    m_pathSize = QSize();
    update();
}

double DualSparklineView::sharedMaximum(const std::vector<double>& a, const std::vector<double>& b)
{
    if (a.empty() && b.empty())
        return 1.0;
    double m = a.empty() ? b.front() : a.front();
    for (double v : a)
        m = std::max(m, v);
    for (double v : b)
        m = std::max(m, v);
    return m;
}

void DualSparklineView::showEvent(QShowEvent* event)
{
    Card::claimOpaqueOnCard(this);
    QWidget::showEvent(event);
}

void DualSparklineView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    Card::fillBehind(this, p);
    if (m_pathSize != size()) {
        const double maximum = sharedMaximum(m_primary, m_secondary);
        m_secondaryPoints = sparklinePoints(normalizeToSharedMax(m_secondary, maximum), width(), height());
        m_primaryPoints = sparklinePoints(normalizeToSharedMax(m_primary, maximum), width(), height());
        m_pathSize = size();
    }
    p.setRenderHint(QPainter::Antialiasing);
    // The lower line at 0.75 over the card's fill is that blend drawn opaque
    // (the same pixels, antialiased edges included), and opaque is cheaper.
    const QColor secondary = withAlpha(m_secondaryColor, 0.75);
    strokeSparkline(p, m_secondaryPoints,
                    testAttribute(Qt::WA_OpaquePaintEvent) ? compositeOver(secondary, controlBackground()) : secondary);
    strokeSparkline(p, m_primaryPoints, m_primaryColor);
}

} // namespace Dunmorra
