#include "tabs/RateTile.h"

#include "components/SparklineView.h"
#include "components/Symbols.h"
#include "tabs/PagePieces.h"

#include <QVBoxLayout>

namespace Dunmorra {

RateTile::RateTile(const QString& symbol, const QString& title, const char* name, const QColor& trendColor,
                   QWidget* parent)
    : Card(parent)
{
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 8);
    stack->addWidget(PagePieces::cardTitle(symbol, title));
    m_rate = new TextLabel(QString(), Fonts::bigFigure());
    m_rate->setObjectName(QLatin1String(name));
    stack->addWidget(m_rate);
    m_trend = new SparklineView(trendColor, true, SparklineView::trendName());
    m_trend->setObjectName(QLatin1String(name) + QStringLiteral("Trend"));
    m_trend->setFixedHeight(32);
    stack->addWidget(m_trend);
    setContent(content);
}

} // namespace Dunmorra
