#include "app/TrayIconEngine.h"

#include <QPainter>
#include <QPixmap>


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
    if (rect.width() < 1 || rect.height() < 1)
        return;
    // The whole box the tray paints, which may be taller than wide.
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawImage(rect, TrayIconPainter::render(m_digits, rect.size(), ratio, m_ink));
}

QPixmap TrayIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    return scaledPixmap(size, mode, state, 1.0);
}

QPixmap TrayIconEngine::scaledPixmap(const QSize& size, QIcon::Mode, QIcon::State, qreal scale)
{
    if (size.width() < 1 || size.height() < 1)
        return {};
    return QPixmap::fromImage(TrayIconPainter::render(m_digits, size, scale, m_ink));
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
