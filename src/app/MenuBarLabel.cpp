#include "app/MenuBarLabel.h"

#include "platform/NumberText.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace Dunmorra {

namespace {

// The panel's colour is unknown (light, dark, or an image), so the glyph and
// the digits are light with a dark rim: readable on either.
const QColor kInk(250, 250, 250);
const QColor kRim(20, 20, 20, 220);

QPainterPath fittedText(const QString& text, const QRectF& box, QFont font)
{
    qreal pixel = box.height() * 0.78;
    font.setPixelSize(std::max(1, static_cast<int>(pixel)));
    while (pixel > 5 && QFontMetricsF(font).horizontalAdvance(text) > box.width()) {
        pixel -= 0.5;
        font.setPixelSize(static_cast<int>(pixel));
    }
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(text);
    const QPointF baseline(box.right() - width, box.center().y() + (metrics.ascent() - metrics.descent()) / 2);
    QPainterPath path;
    path.addText(baseline, font, text);
    return path;
}

} // namespace

MenuBarLabel::MenuBarLabel(QObject* parent)
    : QSystemTrayIcon(parent)
    , m_menu(std::make_unique<QMenu>())
{
    QAction* open = m_menu->addAction(QCoreApplication::translate("MenuBarPopover", "Open main window"));
    QAction* settings = m_menu->addAction(QCoreApplication::translate("MenuBarPopover", "Settings\u2026"));
    m_menu->addSeparator();
    QAction* quit = m_menu->addAction(QCoreApplication::translate("MenuBarPopover", "Quit Halvorin"));
    connect(open, &QAction::triggered, this, &MenuBarLabel::openMainWindowRequested);
    connect(settings, &QAction::triggered, this, &MenuBarLabel::openSettingsRequested);
    connect(quit, &QAction::triggered, this, &MenuBarLabel::quitRequested);
    setContextMenu(m_menu.get());

    connect(this, &QSystemTrayIcon::activated, this, [this](ActivationReason reason) {
        if (reason == Trigger || reason == MiddleClick)
            Q_EMIT clicked(geometry());
    });
}

MenuBarLabel::~MenuBarLabel()
{
    setContextMenu(nullptr);
}

QString MenuBarLabel::percentText(double percent)
{
    return localePercent(percent / 100.0, 0);
}

QImage MenuBarLabel::renderImage(double percent, int size, qreal devicePixelRatio)
{
    const int device = std::max(1, static_cast<int>(std::lround(size * devicePixelRatio)));
    QImage image(device, device, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const qreal rim = std::max(1.0, s / 14.0);

    // The glyph: an upright meter whose fill follows the load.
    const double load = std::isfinite(percent) ? std::clamp(percent, 0.0, 100.0) / 100.0 : 0.0;
    const QRectF meter(rim, s * 0.12, s * 0.2, s * 0.76);
    painter.setPen(QPen(kRim, rim * 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(meter, s * 0.05, s * 0.05);
    painter.setPen(QPen(kInk, rim));
    painter.drawRoundedRect(meter, s * 0.05, s * 0.05);
    const qreal fillHeight = (meter.height() - rim * 2) * std::max(load, 0.08);
    painter.fillRect(QRectF(meter.left() + rim, meter.bottom() - rim - fillHeight, meter.width() - rim * 2, fillHeight), kInk);

    // The figure beside it; the percent sign goes when the digits need the room.
    const QRectF textBox(meter.right() + s * 0.06, 0, s - meter.right() - s * 0.06, s);
    QFont font = QFont();
    font.setWeight(QFont::Bold);
    font.setStretch(QFont::SemiCondensed);
    QString text = percentText(percent);
    if (QFontMetricsF([&] { QFont f = font; f.setPixelSize(static_cast<int>(s * 0.5)); return f; }())
            .horizontalAdvance(text) > textBox.width()) {
        text.remove(QLatin1Char('%'));
        text = text.trimmed();
    }
    const QPainterPath digits = fittedText(text, textBox, font);
    painter.strokePath(digits, QPen(kRim, rim * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(digits, kInk);
    return image;
}

QIcon MenuBarLabel::renderIcon(double percent)
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(renderImage(percent, size)));
    return icon;
}

void MenuBarLabel::setUsagePercent(double percent)
{
    const QString text = percentText(percent);
    if (text == m_shown)
        return;
    m_shown = text;
    ++m_renders;
    setIcon(renderIcon(percent));
    setToolTip(QStringLiteral("Halvorin\n") + QCoreApplication::translate("MenuBarLabel", "CPU %1").arg(text));
}

} // namespace Dunmorra
