#include "tabs/LegendItem.h"

#include "components/StatusDot.h"
#include "components/Typography.h"
#include "tabs/PagePieces.h"

#include <QHBoxLayout>

namespace Dunmorra {

LegendItem::LegendItem(const QColor& color, const QString& text, QWidget* parent)
    : QWidget(parent)
{
    auto* row = PagePieces::row(4);
    row->addWidget(new StatusDot(color, 8), 0, Qt::AlignVCenter);
    row->addWidget(new TextLabel(text, Fonts::caption(), Tone::Secondary), 0, Qt::AlignVCenter);
    setLayout(row);
    setAccessibleName(text);
}

} // namespace Dunmorra
