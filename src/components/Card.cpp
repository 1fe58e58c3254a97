#include "components/Card.h"

#include "components/Palette.h"

#include <QEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QVBoxLayout>

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

void Card::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect());
    QPainterPath shape;
    shape.addRoundedRect(r, kRadius, kRadius);
    p.fillPath(shape, controlBackground());
    // A hairline in the primary colour, kept inside the card's own pixels.
    QPen pen(withAlpha(palettePrimary(), 0.07), 0.5);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(0.25, 0.25, -0.25, -0.25), kRadius, kRadius);
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
        QPainter p(m_shadowHost);
        paintShadow(p, geometry());
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
