#pragma once

#include <QPainter>
#include <QRegion>

#include <algorithm>

namespace Dunmorra {

// Qt's raster engine hands every fill of more than about a hundred spans
// (a shape more than a few dozen rows tall) to its thread pool, wakes every
// pool thread for it and waits. draw() is called once for each piece of the
// region, at most `rows` rows tall, with the painter clipped to that piece:
// each fill then stays on the painting thread, and the pixels are the same.
template <typename Draw>
void paintInPieces(QPainter& painter, const QRegion& region, Draw draw, int rows = 32)
{
    for (const QRect& rect : region) {
        for (int top = rect.top(); top <= rect.bottom(); top += rows) {
            painter.save();
            painter.setClipRect(QRect(rect.left(), top, rect.width(), std::min(rows, rect.bottom() + 1 - top)),
                                Qt::IntersectClip);
            draw();
            painter.restore();
        }
    }
}

} // namespace Dunmorra
