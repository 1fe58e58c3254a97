#include "components/TabPage.h"

#include "components/WheelGuard.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra {

TabPage::TabPage(QWidget* parent)
    : QScrollArea(parent)
    , m_body(new QWidget)
    , m_stack(new QVBoxLayout(m_body))
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_stack->setContentsMargins(20, 20, 20, 20);
    m_stack->setSpacing(20);
    m_stack->setAlignment(Qt::AlignTop);
    m_body->setObjectName(QStringLiteral("tabBody"));
    setWidget(m_body);
    WheelGuard::install();
}

QHBoxLayout* TabPage::cardRow()
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(16);
    return row;
}

void TabPage::shareRowWidth(QWidget* card)
{
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    policy.setHorizontalStretch(1);
    card->setSizePolicy(policy);
}

} // namespace Dunmorra
