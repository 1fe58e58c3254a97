#include "tabs/CoreBar.h"

#include "components/Conversions.h"
#include "components/Palette.h"
#include "components/SparklineView.h"
#include "components/ThinBar.h"
#include "components/Typography.h"
#include "tabs/PagePieces.h"

#include <QVBoxLayout>

#include <cmath>

namespace Dunmorra {

namespace {
QColor coreColor(bool isPerformance)
{
    return isPerformance ? accentColor() : secondaryText();
}
} // namespace

CoreBar::CoreBar(QWidget* parent)
    : Card(parent)
{
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 6);
    m_labelText = new TextLabel(QString(), Fonts::caption(), Tone::Secondary);
    m_labelText->setObjectName(QStringLiteral("coreLabel"));
    m_usageText = new TextLabel(QString(), Fonts::value(), Tone::Primary);
    m_usageText->setObjectName(QStringLiteral("coreUsage"));
    m_usageText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_usageText->holdSizeFor(PagePieces::widestWholePercents());
    stack->addLayout(PagePieces::edgeRow(m_labelText, m_usageText));

    m_bar = new ThinBar(coreColor(false));
    m_bar->setTrackColor(quaternaryFill());
    m_bar->setFillOpacity(0.7);
    stack->addWidget(m_bar);

    m_sparkline = new SparklineView(withAlpha(coreColor(false), 0.6), false, QString());
    m_sparkline->setFixedHeight(14);
    m_sparkline->hide();
    stack->addWidget(m_sparkline);

    m_caption = new TextLabel(QString(), Fonts::caption(), Tone::Secondary);
    m_caption->setObjectName(QStringLiteral("coreKind"));
    stack->addWidget(m_caption);
    setContent(content);
}

QString CoreBar::accessibleText(const QString& label, double usage, std::optional<CoreKind> kind)
{
    if (!kind)
        return tr("%1 core, %2 percent").arg(label).arg(truncToInt64(usage));
    const QString kindText = *kind == CoreKind::performance ? tr("performance") : tr("efficiency");
    return tr("%1 %2 core, %3 percent").arg(label, kindText).arg(truncToInt64(usage));
}

void CoreBar::setUsage(const QString& label, double usage, std::optional<CoreKind> kind)
{
    m_label = label;
    m_usage = usage;
    m_kind = kind;
    const bool isPerformance = kind == CoreKind::performance;
    const QColor color = coreColor(isPerformance);

    m_labelText->setTextIfChanged(label);
    m_usageText->setTextIfChanged(PagePieces::wholePercent(usage));
    m_bar->setColor(color);
    // The fill is the load's share of the width; a reading that is not finite draws empty.
    m_bar->setFraction(std::isfinite(usage) ? std::clamp(usage / 100.0, 0.0, 1.0) : 0.0);
    m_sparkline->setColor(withAlpha(color, 0.6));
    m_sparkline->setAccessibleName(label + tr(" core usage over last 60 seconds"));
    // A chip of one kind of core names no kind: none of its cores is an efficiency core.
    if (kind)
        m_caption->setTextIfChanged(isPerformance ? tr("Performance") : tr("Efficiency"));
    m_caption->setVisible(kind.has_value());
    setAccessibleName(accessibleText(label, usage, kind));
}

void CoreBar::setHistory(std::vector<double> history)
{
    m_sparkline->setVisible(!history.empty());
    m_sparkline->setValues(std::move(history));
}

} // namespace Dunmorra
