#include "components/AdaptiveGridLayout.h"

#include <QWidget>

#include <algorithm>

namespace Dunmorra {

AdaptiveGridLayout::AdaptiveGridLayout(int minimumColumnWidth, int gap, QWidget* parent)
    : QLayout(parent)
    , m_minimumColumnWidth(minimumColumnWidth)
    , m_gap(gap)
{
    setContentsMargins(0, 0, 0, 0);
}

AdaptiveGridLayout::~AdaptiveGridLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

int AdaptiveGridLayout::columnsFor(int width, int minimumColumnWidth, int gap)
{
    return std::max(1, (width + gap) / (minimumColumnWidth + gap));
}

void AdaptiveGridLayout::addItem(QLayoutItem* item)
{
    m_items.append(item);
    invalidate();
}

QLayoutItem* AdaptiveGridLayout::itemAt(int index) const
{
    return (index >= 0 && index < m_items.size()) ? m_items.at(index) : nullptr;
}

QLayoutItem* AdaptiveGridLayout::takeAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return nullptr;
    QLayoutItem* item = m_items.takeAt(index);
    invalidate();
    return item;
}

QSize AdaptiveGridLayout::sizeHint() const
{
    return {m_minimumColumnWidth, heightForWidth(m_minimumColumnWidth)};
}

QSize AdaptiveGridLayout::minimumSize() const
{
    return {m_minimumColumnWidth, 0};
}

int AdaptiveGridLayout::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

void AdaptiveGridLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int AdaptiveGridLayout::arrange(const QRect& rect, bool apply) const
{
    QList<QLayoutItem*> visible;
    for (QLayoutItem* item : m_items) {
        if (!item->isEmpty())
            visible.append(item);
    }
    if (visible.isEmpty())
        return 0;
    const int columns = columnsFor(rect.width(), m_minimumColumnWidth, m_gap);
    const int columnWidth = std::max(0, (rect.width() - (columns - 1) * m_gap) / columns);
    int y = rect.y();
    for (int start = 0; start < visible.size(); start += columns) {
        int rowHeight = 0;
        const int end = std::min<int>(start + columns, visible.size());
        for (int i = start; i < end; ++i) {
            QLayoutItem* item = visible[i];
            const int h = item->hasHeightForWidth() ? item->heightForWidth(columnWidth) : item->sizeHint().height();
            rowHeight = std::max(rowHeight, h);
        }
        if (apply) {
            for (int i = start; i < end; ++i) {
                const int col = i - start;
                visible[i]->setGeometry(QRect(rect.x() + col * (columnWidth + m_gap), y, columnWidth, rowHeight));
            }
        }
        y += rowHeight + m_gap;
    }
    return y - m_gap - rect.y();
}

} // namespace Dunmorra
