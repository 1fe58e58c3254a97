#include "components/PageScrollBarStyle.h"

#include <QApplication>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionComplex>

#include <algorithm>
#include <cmath>

namespace Dunmorra {

namespace {

bool isWhole(qreal value)
{
    return std::abs(value - std::round(value)) < 1e-6;
}

qreal targetPixelRatio(const QPainter* painter)
{
    // A widget's painter paints into its window's backing store (or the
    // pixmap of a grab): the ratio that counts is that device's.
    const QPaintEngine* engine = painter->paintEngine();
    const QPaintDevice* device = engine && engine->paintDevice() ? engine->paintDevice() : painter->device();
    return device->devicePixelRatio();
}

} // namespace

PageScrollBarStyle::PageScrollBarStyle(QStyle* base)
    : QProxyStyle(base)
{
}

void PageScrollBarStyle::install(QScrollBar* bar)
{
    static QPointer<PageScrollBarStyle> shared;
    if (!shared) {
        QStyle* base = QStyleFactory::create(QApplication::style()->name());
        if (!base)
            return;
        shared = new PageScrollBarStyle(base);
        shared->setParent(qApp);
    }
    bar->setStyle(shared);
}

bool PageScrollBarStyle::drawsInStrips(const QStyleOptionComplex* option, const QPainter* painter,
                                       const QWidget* widget) const
{
    // Only where the strips land on whole device pixels, over the same
    // pixels, at full strength: anything else is drawn as it always was.
    if (option->rect.height() <= kStripRows || painter->opacity() != 1.0
        || painter->compositionMode() != QPainter::CompositionMode_SourceOver
        || proxy()->styleHint(SH_ScrollBar_Transient, option, widget))
        return false;
    const QTransform& transform = painter->worldTransform();
    if (transform.type() > QTransform::TxTranslate)
        return false;
    const qreal ratio = targetPixelRatio(painter);
    return isWhole(kStripRows * ratio) && isWhole((transform.dx() + option->rect.left()) * ratio)
        && isWhole((transform.dy() + option->rect.top()) * ratio);
}

void PageScrollBarStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                            QPainter* painter, const QWidget* widget) const
{
    if (control != CC_ScrollBar || !drawsInStrips(option, painter, widget)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QRect rect = option->rect;
    const qreal ratio = targetPixelRatio(painter);
    QImage strip;
    for (int top = rect.top(); top <= rect.bottom(); top += kStripRows) {
        const int rows = std::min(kStripRows, rect.bottom() + 1 - top);
        const QSize pixels = (QSizeF(rect.width(), rows) * ratio).toSize();
        if (strip.size() != pixels) {
            strip = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
            strip.setDevicePixelRatio(ratio);
        }
        strip.fill(Qt::transparent);
        QPainter stripPainter(&strip);
        stripPainter.setRenderHints(painter->renderHints());
        stripPainter.setFont(painter->font());
        stripPainter.translate(-rect.left(), -top);
        QProxyStyle::drawComplexControl(control, option, &stripPainter, widget);
        stripPainter.end();
        painter->drawImage(QPoint(rect.left(), top), strip);
    }
}

} // namespace Dunmorra
