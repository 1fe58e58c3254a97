#include "components/FittingPair.h"

#include <QEvent>

#include <algorithm>

namespace Dunmorra {

namespace {
QSize preferred(const QWidget* w)
{
    return w->sizeHint().expandedTo(w->minimumSize()).boundedTo(w->maximumSize());
}

// A hidden view takes no room.
QSize hintOf(const QWidget* w)
{
    return w && !w->isHidden() ? preferred(w) : QSize(0, 0);
}
} // namespace

FittingPair::FittingPair(QWidget* first, QWidget* second, int wideSpacing, int narrowSpacing, QWidget* joiner,
                         QWidget* parent)
    : QWidget(parent)
    , m_first(first)
    , m_second(second)
    , m_joiner(joiner)
    , m_wideSpacing(wideSpacing)
    , m_narrowSpacing(narrowSpacing)
{
    for (QWidget* child : {first, joiner, second}) {
        if (child)
            child->setParent(this);
    }
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

bool FittingPair::hasJoiner() const
{
    return m_joiner && m_second && !m_second->isHidden();
}

int FittingPair::wideWidth() const
{
    int width = hintOf(m_first).width() + m_wideSpacing + hintOf(m_second).width();
    // The joiner is hidden while stacked, but counts towards side by side.
    if (hasJoiner())
        width += preferred(m_joiner).width() + m_wideSpacing;
    return width;
}

int FittingPair::wideHeight() const
{
    int height = std::max(hintOf(m_first).height(), hintOf(m_second).height());
    if (hasJoiner())
        height = std::max(height, preferred(m_joiner).height());
    return height;
}

int FittingPair::narrowHeight() const
{
    const int first = hintOf(m_first).height();
    const int second = hintOf(m_second).height();
    return first + second + (first > 0 && second > 0 ? m_narrowSpacing : 0);
}

QSize FittingPair::sizeHint() const
{
    // The preferred size does not depend on the arrangement shown, so the
    // choice never feeds back into the width the container hands out.
    return {wideWidth(), wideHeight()};
}

QSize FittingPair::minimumSizeHint() const
{
    const int width = std::max(m_first ? m_first->minimumSizeHint().expandedTo(m_first->minimumSize()).width() : 0,
                               m_second ? m_second->minimumSizeHint().expandedTo(m_second->minimumSize()).width() : 0);
    return {width, narrowHeight()};
}

int FittingPair::heightForWidth(int width) const
{
    return fits(width) ? wideHeight() : narrowHeight();
}

void FittingPair::refit()
{
    updateGeometry();
    arrange();
}

bool FittingPair::event(QEvent* event)
{
    // A child's preferred size changed (a new text): measure again.
    if (event->type() == QEvent::LayoutRequest)
        refit();
    return QWidget::event(event);
}

void FittingPair::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    arrange();
}

void FittingPair::arrange()
{
    const bool wide = fits(width());
    if (wide != m_wide) {
        m_wide = wide;
        updateGeometry(); // the height follows the arrangement
    }
    const QSize first = hintOf(m_first);
    if (m_joiner)
        m_joiner->setVisible(wide && hasJoiner());
    if (wide) {
        int x = 0;
        if (m_first) {
            m_first->setGeometry(0, 0, first.width(), first.height());
            x = first.width() + m_wideSpacing;
        }
        if (hasJoiner()) {
            const QSize joiner = preferred(m_joiner);
            m_joiner->setGeometry(x, 0, joiner.width(), joiner.height());
            x += joiner.width() + m_wideSpacing;
        }
        if (m_second)
            m_second->setGeometry(x, 0, std::max(0, width() - x), hintOf(m_second).height());
        return;
    }
    int y = 0;
    if (m_first) {
        const bool fixedWidth = m_first->maximumWidth() == m_first->minimumWidth();
        m_first->setGeometry(0, 0, fixedWidth ? first.width() : width(), first.height());
        y = first.height() + m_narrowSpacing;
    }
    if (m_second)
        m_second->setGeometry(0, y, width(), hintOf(m_second).height());
}

} // namespace Dunmorra
