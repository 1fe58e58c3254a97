#include "tabs/folders/SizeProgressPanel.h"

#include "components/Palette.h"
#include "components/Typography.h"

#include <QPainter>

#include <algorithm>

namespace Dunmorra {

namespace {
constexpr int kPadding = 28;
constexpr int kSpacing = 14;
constexpr int kBarWidth = 240;
constexpr int kBarHeight = 5;
} // namespace

SizeProgressPanel::SizeProgressPanel(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("sizeProgress"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_fade.setDuration(250);
    m_fade.setEasingCurve(QEasingCurve::OutQuad);
    connect(&m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_opacity = v.toDouble();
        update();
    });
    connect(&m_fade, &QVariantAnimation::finished, this, [this] {
        if (!m_shown)
            hide();
    });
    hide();
}

void SizeProgressPanel::setProgress(int sizedFolders, int folders)
{
    if (sizedFolders == m_sized && folders == m_folders)
        return;
    m_sized = sizedFolders;
    m_folders = folders;
    setAccessibleName(statusText());
    update();
}

void SizeProgressPanel::setShown(bool shown)
{
    if (shown == m_shown)
        return;
    m_shown = shown;
    m_fade.stop();
    m_fade.setStartValue(m_opacity);
    m_fade.setEndValue(shown ? 1.0 : 0.0);
    if (shown) {
        show();
        raise();
    }
    m_fade.start();
}

double SizeProgressPanel::progress() const
{
    return static_cast<double>(m_sized) / static_cast<double>(std::max(m_folders, 1));
}

QString SizeProgressPanel::statusText(int sizedFolders, int folders)
{
    if (folders < 1)
        return tr("Calculating…");
    return tr("Calculating %1 of %2 folders…").arg(sizedFolders).arg(folders);
}

QString SizeProgressPanel::statusText() const
{
    return statusText(m_sized, m_folders);
}

QSize SizeProgressPanel::sizeHint() const
{
    const QFontMetrics caption(Fonts::caption());
    const int width = std::max(kBarWidth, caption.horizontalAdvance(statusText(9999, 9999)));
    return {width + 2 * kPadding, kBarHeight + kSpacing + caption.height() + 2 * kPadding};
}

void SizeProgressPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(m_opacity);
    // A translucent sheet in the window's colour stands in for a blurred
    // material.
    QColor sheet = palette().color(QPalette::Window);
    sheet.setAlphaF(0.94f);
    p.setPen(QPen(withAlpha(palettePrimary(), 0.08), 0.5));
    p.setBrush(sheet);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);

    const QRectF track((width() - kBarWidth) / 2.0, kPadding, kBarWidth, kBarHeight);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(palettePrimary(), 0.1));
    p.drawRoundedRect(track, kBarHeight / 2.0, kBarHeight / 2.0);
    const double share = std::clamp(progress(), 0.0, 1.0);
    if (share > 0) {
        p.setBrush(accentColor());
        p.drawRoundedRect(QRectF(track.left(), track.top(), track.width() * share, kBarHeight), kBarHeight / 2.0,
                          kBarHeight / 2.0);
    }

    p.setFont(Fonts::caption());
    p.setPen(secondaryText());
    const QRect text(0, static_cast<int>(track.bottom()) + kSpacing, width(), QFontMetrics(Fonts::caption()).height());
    p.drawText(text, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, statusText());
}

} // namespace Dunmorra
