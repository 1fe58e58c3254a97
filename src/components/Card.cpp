#include "components/Card.h"

#include "components/Palette.h"
#include "components/PaintInPieces.h"

#include <QEvent>
#include <QMoveEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QResizeEvent>
#include <QVBoxLayout>

#include <cmath>

namespace Dunmorra {

namespace {
// Shadow: black at 0.06, blur radius 4, one unit down.
constexpr int kShadowRadius = 4;
constexpr int kShadowOffsetY = 1;
constexpr int kShadowReach = kShadowRadius + kShadowOffsetY + 1;

void paintShadow(QPainter& p, const QRect& cardRect)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QRectF base = QRectF(cardRect).translated(0, kShadowOffsetY);
    // Layered rings approximate the blur: their alphas add up to 0.06 under
    // the card and fade over the radius outside it.
    const qreal step = 0.06 / kShadowRadius;
    for (int i = kShadowRadius; i >= 1; --i) {
        const QRectF r = base.adjusted(-i, -i, i, i);
        p.setBrush(QColor::fromRgbF(0, 0, 0, static_cast<float>(step)));
        p.drawRoundedRect(r, Card::kRadius + i, Card::kRadius + i);
    }
}
// What a card's own fill covers exactly, in the card's coordinates: all but
// the rounded corners and the hairline. Empty when the fill is translucent.
QRegion solidInterior(const QRect& r)
{
    if (controlBackground().alpha() != 255)
        return {};
    const int corner = static_cast<int>(std::ceil(Card::kRadius)) + 1;
    QRegion region(r.adjusted(corner, 1, -corner, -1));
    region += r.adjusted(1, corner, -1, -corner);
    return region;
}
} // namespace

Card::Card(QWidget* parent)
    : QWidget(parent)
    , m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    m_layout->setSpacing(0);
    attachShadowHost();
}

Card::Card(QWidget* content, QWidget* parent)
    : Card(parent)
{
    setContent(content);
}

void Card::setContent(QWidget* content)
{
    if (m_content == content)
        return;
    if (m_content) {
        m_layout->removeWidget(m_content);
        m_content->deleteLater();
    }
    m_content = content;
    if (content)
        m_layout->addWidget(content);
}

void Card::claimOpaqueOnCard(QWidget* widget)
{
    bool solid = false;
    for (const QWidget* w = widget->parentWidget(); w; w = w->parentWidget()) {
        if (qobject_cast<const Card*>(w)) {
            // The padding keeps content clear of the rounded corners.
            solid = controlBackground().alpha() == 255;
            break;
        }
        // Anything between that may paint (a row's highlight, a styled
        // frame) would be painted over.
        if (w->metaObject() != &QWidget::staticMetaObject || w->autoFillBackground() || w->isWindow())
            break;
    }
    widget->setAttribute(Qt::WA_OpaquePaintEvent, solid);
}

void Card::fillBehind(QWidget* widget, QPainter& painter)
{
    if (widget->testAttribute(Qt::WA_OpaquePaintEvent))
        painter.fillRect(widget->rect(), controlBackground());
}

void Card::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    // A change inside the card (a figure, an animation frame) repaints only
    // its own rectangle: fill that instead of the whole rounded shape.
    if (const QRegion solid = solidInterior(rect()); !solid.isEmpty() && event->region().subtracted(solid).isEmpty()) {
        for (const QRect& r : event->region())
            p.fillRect(r, controlBackground());
        return;
    }
    // The solid interior is plain rectangles; the rounded rim and hairline
    // around it are drawn in pieces, so no fill goes to Qt's fill pool.
    const QRegion solid = solidInterior(rect());
    for (const QRect& r : solid.intersected(event->region()))
        p.fillRect(r, controlBackground());
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect());
    QPainterPath shape;
    shape.addRoundedRect(r, kRadius, kRadius);
    // A hairline in the primary colour, kept inside the card's own pixels.
    const QPen pen(withAlpha(palettePrimary(), 0.07), 0.5);
    paintInPieces(p, event->region().subtracted(solid), [&] {
        p.fillPath(shape, controlBackground());
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(0.25, 0.25, -0.25, -0.25), kRadius, kRadius);
    });
}

bool Card::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange)
        attachShadowHost();
    else if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
        repaintShadowArea(geometry());
    return QWidget::event(event);
}

bool Card::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_shadowHost && event->type() == QEvent::Paint && isVisible()) {
        // Every card of the host sees each of its paints; most of them, such
        // as an animation frame inside a card, do not reach a visible part of
        // this shadow (the card's own fill covers all but its corners).
        const QRect reach = geometry().adjusted(-kShadowReach, -kShadowReach, kShadowReach, kShadowReach);
        const QRegion exposed = static_cast<QPaintEvent*>(event)->region().subtracted(
            solidInterior(rect()).translated(pos()));
        if (exposed.intersects(reach)) {
            QPainter p(m_shadowHost);
            paintInPieces(p, exposed.intersected(reach), [&] { paintShadow(p, geometry()); });
        }
    }
    return false;
}

void Card::moveEvent(QMoveEvent* event)
{
    repaintShadowArea(QRect(event->oldPos(), size()));
    repaintShadowArea(geometry());
    QWidget::moveEvent(event);
}

void Card::resizeEvent(QResizeEvent* event)
{
    repaintShadowArea(QRect(pos(), event->oldSize()));
    repaintShadowArea(geometry());
    QWidget::resizeEvent(event);
}

void Card::attachShadowHost()
{
    QWidget* host = parentWidget();
    if (host == m_shadowHost)
        return;
    if (m_shadowHost)
        m_shadowHost->removeEventFilter(this);
    m_shadowHost = host;
    if (host)
        host->installEventFilter(this);
}

void Card::repaintShadowArea(const QRect& area)
{
    if (m_shadowHost && area.isValid())
        m_shadowHost->update(area.adjusted(-kShadowReach, -kShadowReach, kShadowReach, kShadowReach));
}

} // namespace Dunmorra
