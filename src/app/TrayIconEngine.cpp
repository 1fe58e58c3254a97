#include "app/TrayIconEngine.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace Dunmorra {

TrayIconEngine::TrayIconEngine(std::optional<QString> digits, TrayInk ink)
    : m_digits(std::move(digits))
    , m_ink(ink)
{
}

QList<int> TrayIconEngine::standardSizes()
{
    return {16, 22, 24, 32, 48, 64};
}

void TrayIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State)
{
    const int side = std::min(rect.width(), rect.height());
    if (side < 1)
        return;
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QImage image = TrayIconPainter::render(m_digits, side, ratio, m_ink);
    const QPoint origin(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2);
    painter->drawImage(QRect(origin, QSize(side, side)), image);
}

QPixmap TrayIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return scaledPixmap(size, mode, state, 1.0);
}

QPixmap TrayIconEngine::scaledPixmap(const QSize& size, QIcon::Mode, QIcon::State, qreal scale)
{
    const int side = std::min(size.width(), size.height());
    if (side < 1)
        return {};
    return QPixmap::fromImage(TrayIconPainter::render(m_digits, side, scale, m_ink));
}

QList<QSize> TrayIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    QList<QSize> sizes;
    for (int side : standardSizes())
        sizes << QSize(side, side);
    return sizes;
}

QIconEngine* TrayIconEngine::clone() const
{
    return new TrayIconEngine(m_digits, m_ink);
}

QString TrayIconEngine::key() const
{
    return QStringLiteral("halvorin-tray");
}

} // namespace Dunmorra
