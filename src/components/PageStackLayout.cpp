#include "components/PageStackLayout.h"

#include <algorithm>

namespace Dunmorra {

PageStackLayout::PageStackLayout(QWidget* parent)
    : QVBoxLayout(parent)
{
}

void PageStackLayout::setGeometry(const QRect& rect)
{
    // The height the scroll area gives the page once it has caught up: the
    // height for this width, or without one the page's minimum.
    const int needed = hasHeightForWidth() ? heightForWidth(rect.width()) : minimumSize().height();
    QRect placed = rect;
    placed.setHeight(std::max(rect.height(), needed));
    QVBoxLayout::setGeometry(placed);
}

} // namespace Dunmorra
