#include "components/DualSparklineView.h"

#include "components/Palette.h"
#include "components/Sparkline.h"

#include <QPainter>

#include <algorithm>

namespace Dunmorra {

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

void DualSparklineView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double maximum = sharedMaximum(m_primary, m_secondary);
    strokeSparkline(p, sparklinePath(normalizeToSharedMax(m_secondary, maximum), width(), height()),
               withAlpha(m_secondaryColor, 0.75));
    strokeSparkline(p, sparklinePath(normalizeToSharedMax(m_primary, maximum), width(), height()), m_primaryColor);
}

} // namespace Dunmorra
