#include "components/TabPage.h"

#include "components/PageScrollBarStyle.h"
#include "components/PageStackLayout.h"
#include "components/WheelGuard.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace Dunmorra {

TabPage::TabPage(QWidget* parent)
    : QScrollArea(parent)
    , m_body(new QWidget)
    , m_stack(new PageStackLayout(m_body))
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    PageScrollBarStyle::install(verticalScrollBar());
    m_stack->setContentsMargins(20, 20, 20, 20);
    m_stack->setSpacing(20);
    m_stack->setAlignment(Qt::AlignTop);
    m_body->setObjectName(QStringLiteral("tabBody"));
    // The content is laid out from the top left: when a list at the bottom
    // grows or shrinks, only the uncovered strip repaints, not every card.
    m_body->setAttribute(Qt::WA_StaticContents);
    setWidget(m_body);
    m_body->installEventFilter(this);
    WheelGuard::install();
}

QSize TabPage::minimumSizeHint() const
{
    QSize size = QScrollArea::minimumSizeHint();
    int width = m_body->minimumSizeHint().width() + 2 * frameWidth();
    if (verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
        width += verticalScrollBar()->sizeHint().width();
    size.setWidth(std::max(size.width(), width));
    return size;
}

bool TabPage::eventFilter(QObject* watched, QEvent* event)
{
    // The content's needs changed (a longer text, another language).
    if (watched == m_body && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
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
