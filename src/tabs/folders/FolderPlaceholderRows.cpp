#include "tabs/folders/FolderPlaceholderRows.h"

#include "components/Divider.h"
#include "components/Easing.h"
#include "components/Palette.h"
#include "tabs/folders/FolderRowDelegate.h"

#include <QPainter>

#include <cmath>

namespace Dunmorra {

namespace {
constexpr int kPadV = FolderRowDelegate::kPadV;
constexpr int kPadH = FolderRowDelegate::kPadH;
constexpr double kPulseSeconds = 0.85;
constexpr double kStagger = 0.07;
constexpr int kWidths[FolderPlaceholderRows::kRows] = {95, 130, 75, 115, 85, 140, 65};
} // namespace

FolderPlaceholderRows::FolderPlaceholderRows(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("placeholderRows"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(kRows * rowHeight());
    m_frame.setInterval(33);
    connect(&m_frame, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

int FolderPlaceholderRows::nameWidth(int row)
{
    return kWidths[((row % kRows) + kRows) % kRows];
}

double FolderPlaceholderRows::opacityAt(int row, double t)
{
    const double local = t - row * kStagger;
    if (local <= 0)
        return 0.4;
    // There and back again: 0 → 1 → 0 over two pulses.
    const double phase = std::fmod(local, 2 * kPulseSeconds) / kPulseSeconds;
    const double x = phase <= 1 ? phase : 2 - phase;
    return 0.4 + 0.6 * easeInOutCurve().valueForProgress(x);
}

int FolderPlaceholderRows::rowHeight() const
{
    return kPadV + 11 + 4 + 8 + kPadV;
}

QSize FolderPlaceholderRows::sizeHint() const
{
    return {400, kRows * rowHeight()};
}

void FolderPlaceholderRows::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_clock.isValid())
        m_clock.start();
    m_frame.start();
}

void FolderPlaceholderRows::hideEvent(QHideEvent* event)
{
    m_frame.stop();
    m_clock.invalidate();
    QWidget::hideEvent(event);
}

void FolderPlaceholderRows::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const double t = m_clock.isValid() ? static_cast<double>(m_clock.elapsed()) / 1000.0 : 0;
    const int h = rowHeight();
    const QColor strong = withAlpha(palettePrimary(), 0.12);
    const QColor faint = withAlpha(palettePrimary(), 0.07);
    const QColor bar = withAlpha(palettePrimary(), 0.08);
    for (int i = 0; i < kRows; ++i) {
        const QRect row(0, i * h, width(), h);
        const QRect inner = row.adjusted(kPadH, kPadV, -kPadH, -kPadV);
        const int midY = inner.center().y();
        p.setOpacity(opacityAt(i, t));
        // Name cell: a symbol block, then a name block over a short one.
        p.setBrush(strong);
        p.drawRoundedRect(QRectF(inner.left(), midY - 7 + 1, 16, 14), 3, 3);
        const int textLeft = inner.left() + 16 + 6;
        const int blockTop = inner.top() + (inner.height() - (11 + 4 + 8)) / 2;
        p.drawRoundedRect(QRectF(textLeft, blockTop, nameWidth(i), 11), 3, 3);
        p.setBrush(faint);
        p.drawRoundedRect(QRectF(textLeft, blockTop + 15, 48, 8), 3, 3);
        // The bar and the total.
        const int totalLeft = inner.right() + 1 - 58;
        const int barLeft = inner.left() + FolderRowDelegate::kNameWidth + FolderRowDelegate::kSpacing;
        const int barRight = totalLeft - FolderRowDelegate::kSpacing;
        if (barRight > barLeft) {
            p.setBrush(bar);
            p.drawRoundedRect(QRectF(barLeft, midY - 6 + 1, barRight - barLeft, 12), 4, 4);
        }
        p.setBrush(strong);
        p.drawRoundedRect(QRectF(totalLeft, midY - 5 + 1, 58, 11), 3, 3);
        p.setOpacity(1);
        if (i < kRows - 1)
            p.fillRect(QRect(FolderRowDelegate::kDividerIndent, row.bottom(), width() - FolderRowDelegate::kDividerIndent, 1),
                       Divider::colorAt(0.25));
    }
}

} // namespace Dunmorra
