#include "tabs/UsageHistoryCard.h"

#include "components/SegmentedPicker.h"
#include "components/SparklineView.h"
#include "components/Symbols.h"
#include "tabs/PagePieces.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra {

UsageHistoryCard::UsageHistoryCard(const QString& title, const QStringList& rangeLabels, const QColor& lineColor,
                                   const QString& accessibleName, QWidget* parent)
    : Card(parent)
    , m_picker(new SegmentedPicker(rangeLabels))
    , m_sparkline(new SparklineView(lineColor, false, accessibleName))
{
    setObjectName(QStringLiteral("historyCard"));
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 10);
    auto* header = PagePieces::row();
    header->addWidget(PagePieces::cardTitle(QStringLiteral("chart.xyaxis.line"), title));
    header->addStretch(1);
    m_picker->setObjectName(QStringLiteral("timeRangePicker"));
    header->addWidget(m_picker, 0, Qt::AlignVCenter);
    stack->addLayout(header);
    m_sparkline->setObjectName(QStringLiteral("historySparkline"));
    m_sparkline->setFixedHeight(60);
    stack->addWidget(m_sparkline);
    stack->addLayout(PagePieces::edgeRow(new TextLabel(tr("0%"), Fonts::caption(), Tone::Secondary),
                                         new TextLabel(tr("100%"), Fonts::caption(), Tone::Secondary)));
    setContent(content);
}

} // namespace Dunmorra
