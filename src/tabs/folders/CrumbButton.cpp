#include "tabs/folders/CrumbButton.h"

#include "components/Palette.h"
#include "components/Symbols.h"
#include "components/Typography.h"

#include <QPainter>

namespace Dunmorra {

namespace {
constexpr int kPadH = 10;
constexpr int kPadV = 5;
constexpr int kGap = 5;
constexpr int kSymbolSize = 10;
} // namespace

CrumbButton::CrumbButton(const QByteArray& path, const QString& name, bool isHome, bool isCurrent, QWidget* parent)
    : QAbstractButton(parent)
    , m_path(path)
    , m_isHome(isHome)
    , m_isCurrent(isCurrent)
{
    setObjectName(QStringLiteral("crumb"));
    setText(name);
    setAccessibleName(name);
    setEnabled(!isCurrent);
    setCursor(isCurrent ? Qt::ArrowCursor : Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QString CrumbButton::symbol() const
{
    return m_isHome ? QStringLiteral("house.fill") : QStringLiteral("folder.fill");
}

QFont CrumbButton::nameFont() const
{
    return uiFont(12, m_isCurrent ? QFont::DemiBold : QFont::Normal);
}

QSize CrumbButton::sizeHint() const
{
    const QFontMetrics fm(nameFont());
    return {kPadH + kSymbolSize + kGap + fm.horizontalAdvance(text()) + kPadH, kPadV + fm.height() + kPadV};
}

void CrumbButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    QColor plate = m_isCurrent ? accentColor() : withAlpha(palettePrimary(), 0.08);
    if (!m_isCurrent && isDown())
        plate = withAlpha(palettePrimary(), 0.16);
    p.setBrush(plate);
    p.drawRoundedRect(QRectF(rect()), 7, 7);

    const QColor ink = m_isCurrent ? QColor(Qt::white) : palettePrimary();
    const QPixmap glyph = symbolPixmap(symbol(), kSymbolSize, ink, devicePixelRatioF());
    p.drawPixmap(kPadH, (height() - kSymbolSize) / 2, glyph);
    p.setPen(ink);
    p.setFont(nameFont());
    const QRect textRect(kPadH + kSymbolSize + kGap, 0, width() - kPadH - kSymbolSize - kGap - kPadH + 1, height());
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
}

} // namespace Dunmorra
