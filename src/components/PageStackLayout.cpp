#include "components/PageStackLayout.h"

#include <algorithm>

namespace Dunmorra {

PageStackLayout::PageStackLayout(QWidget* parent)
    : QVBoxLayout(parent)
{
}

void PageStackLayout::setGeometry(const QRect& rect)
{
    const int needed = hasHeightForWidth() ? heightForWidth(rect.width()) : sizeHint().height();
    QRect placed = rect;
    placed.setHeight(std::max(rect.height(), needed));
    QVBoxLayout::setGeometry(placed);
}

} // namespace Dunmorra
