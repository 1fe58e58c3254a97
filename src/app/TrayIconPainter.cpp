#include "app/TrayIconPainter.h"

#include "components/Palette.h"

#include <QCache>
#include <QFont>
#include <QMutex>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace Dunmorra::TrayIconPainter {

namespace {

const QColor kLight(250, 250, 250);
const QColor kDark(24, 24, 24);

// The digits narrower than the font draws them, at most this much: a
// two-digit figure then stands about 70 % of the square's height.
constexpr qreal kMostSqueeze = 0.62;

// The digits set tight (less space between them than the font's advances),
// as one path at a large size, its top-left at the origin.
QPainterPath digitsPath(const QString& digits)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans"), QStringLiteral("Sans Serif")});
    font.setPixelSize(100);
    font.setWeight(QFont::Bold);
    QPainterPath all;
    qreal x = 0;
    constexpr qreal gap = 6; // of a 100-px figure
    for (const QChar c : digits) {
        QPainterPath one;
        one.addText(0, 0, font, QString(c));
        const QRectF box = one.boundingRect();
        if (box.isEmpty())
            continue;
        all.addPath(one.translated(x - box.left(), 0));
        x += box.width() + gap;
    }
    const QRectF box = all.boundingRect();
    return all.translated(-box.topLeft());
}

// The figures fitted to a w × h box, leaving room for a rim of this width.
QPainterPath placedDigits(const QString& digits, qreal w, qreal h, qreal rim)
{
    const QPainterPath path = digitsPath(digits);
    const QRectF natural = path.boundingRect();
    if (natural.isEmpty())
        return {};
    // The room inside the rim; the rim is stroked outside the figures.
    const qreal breath = 2 * rim + std::max(0.5, std::min(w, h) / 32.0);
    const qreal roomX = w - breath;
    const qreal roomY = h - breath;
    qreal scaleY = roomY / natural.height();
    qreal scaleX = scaleY;
    if (natural.width() * scaleX > roomX) {
        // Narrower first, and only past the squeeze limit smaller.
        scaleX = roomX / natural.width();
        if (scaleX < scaleY * kMostSqueeze)
            scaleY = scaleX / kMostSqueeze;
    }
    QTransform fit;
    fit.translate((w - natural.width() * scaleX) / 2, (h - natural.height() * scaleY) / 2);
    fit.scale(scaleX, scaleY);
    return fit.map(path);
}

void drawDigits(QPainter& painter, const QString& digits, qreal w, qreal h, const QColor& ink, const QColor& rimColor,
                qreal rim)
{
    const QPainterPath placed = placedDigits(digits, w, h, rim);
    if (placed.isEmpty())
        return;
    painter.strokePath(placed, QPen(rimColor, rim * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(placed, ink);
}

// An upright meter, three quarters full: the application's mark.
void drawGlyph(QPainter& painter, qreal w, qreal h, const QColor& ink, const QColor& rimColor, qreal rim)
{
    const qreal s = std::min(w, h);
    const QRectF meter((w - s * 0.4) / 2, (h - s * 0.8) / 2, s * 0.4, s * 0.8);
    const qreal radius = s * 0.08;
    const qreal line = std::max(1.0, s / 11.0);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(rimColor, line + rim * 2));
    painter.drawRoundedRect(meter, radius, radius);
    painter.setPen(QPen(ink, line));
    painter.drawRoundedRect(meter, radius, radius);
    const QRectF inside = meter.adjusted(line * 1.5, line * 1.5, -line * 1.5, -line * 1.5);
    const QRectF fill(inside.left(), inside.top() + inside.height() * 0.35, inside.width(), inside.height() * 0.65);
    painter.fillRect(fill, ink);
}

// The glyph as one filled shape: the meter's outline (even-odd) and its fill.
QPainterPath glyphPath(qreal w, qreal h)
{
    const qreal s = std::min(w, h);
    const QRectF meter((w - s * 0.4) / 2, (h - s * 0.8) / 2, s * 0.4, s * 0.8);
    const qreal radius = s * 0.08;
    const qreal line = std::max(1.0, s / 11.0);
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addRoundedRect(meter.adjusted(-line / 2, -line / 2, line / 2, line / 2), radius, radius);
    path.addRoundedRect(meter.adjusted(line / 2, line / 2, -line / 2, -line / 2), radius, radius);
    const QRectF inside = meter.adjusted(line * 1.5, line * 1.5, -line * 1.5, -line * 1.5);
    path.addRect(QRectF(inside.left(), inside.top() + inside.height() * 0.35, inside.width(), inside.height() * 0.65));
    return path;
}

QByteArray svgPathData(const QPainterPath& path)
{
    QByteArray d;
    auto num = [](qreal v) { return QByteArray::number(v, 'f', 2); };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            d += 'M' + num(e.x) + ' ' + num(e.y);
        } else if (e.isLineTo()) {
            d += 'L' + num(e.x) + ' ' + num(e.y);
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            d += 'C' + num(e.x) + ' ' + num(e.y) + ' ' + num(c2.x) + ' ' + num(c2.y) + ' ' + num(end.x) + ' '
                + num(end.y);
            i += 2;
        }
    }
    return d;
}

QImage draw(const std::optional<QString>& digits, const QSize& size, qreal devicePixelRatio, TrayInk ink)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const int deviceW = std::max(1, static_cast<int>(std::lround(size.width() * ratio)));
    const int deviceH = std::max(1, static_cast<int>(std::lround(size.height() * ratio)));
    QImage image(deviceW, deviceH, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = deviceW / ratio;
    const qreal h = deviceH / ratio;
    const QColor figureColor = inkColor(ink);
    QColor rimColor = ink == TrayInk::light ? kDark : kLight;
    // A thin rim in the other tone keeps the figures readable where the
    // panel's colour was guessed wrong (an image, a gradient).
    rimColor.setAlphaF(0.6f);
    const qreal rim = std::max(0.75, std::min(w, h) / 24.0);
    if (digits && !digits->isEmpty())
        drawDigits(painter, *digits, w, h, figureColor, rimColor, rim);
    else
        drawGlyph(painter, w, h, figureColor, rimColor, rim);
    return image;
}

} // namespace

QColor inkColor(TrayInk ink)
{
    return ink == TrayInk::light ? kLight : kDark;
}

QByteArray symbolicSvg(const std::optional<QString>& digits, TrayInk ink)
{
    constexpr qreal side = 16;
    const bool number = digits && !digits->isEmpty();
    const QPainterPath path = number ? placedDigits(*digits, side, side, 0) : glyphPath(side, side);
    // GTK hosts fill every path with the panel's text colour; Plasma's fill
    // it through the ColorScheme-Text class; hosts that draw the file as it
    // stands (LXQt's) see the ink the pictures take.
    QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\" viewBox=\"0 0 16 16\">"
                     "<style id=\"current-color-scheme\" type=\"text/css\">.ColorScheme-Text { color:";
    svg += inkColor(ink).name().toLatin1();
    svg += "; }</style><path class=\"ColorScheme-Text\" fill=\"currentColor\" fill-rule=\"";
    svg += path.fillRule() == Qt::OddEvenFill ? "evenodd" : "nonzero";
    svg += "\" d=\"" + svgPathData(path) + "\"/></svg>\n";
    return svg;
}

TrayInk inkFor(const QColor& panel)
{
    // Whichever of white and black stands out more.
    return contrastRatio(panel, Qt::white) >= contrastRatio(panel, Qt::black) ? TrayInk::light : TrayInk::dark;
}

QImage render(const std::optional<QString>& digits, const QSize& size, qreal devicePixelRatio, TrayInk ink)
{
    // A figure's rim and ink cross each row many times over, so even a
    // 16-px icon is a fill for Qt's thread pool, woken at every new reading.
    // The icons are few (101 figures at a tray's one or two sizes) and small:
    // each is drawn once and kept.
    static QMutex lock;
    static QCache<QString, QImage> drawn(2 * 1024 * 1024);
    const QString key = QStringLiteral("%1|%2x%3|%4|%5")
                            .arg(digits ? *digits : QStringLiteral("-"))
                            .arg(size.width())
                            .arg(size.height())
                            .arg(devicePixelRatio)
                            .arg(ink == TrayInk::light ? 'l' : 'd');
    const QMutexLocker hold(&lock);
    if (const QImage* image = drawn.object(key))
        return *image;
    const QImage image = draw(digits, size, devicePixelRatio, ink);
    drawn.insert(key, new QImage(image), std::max<qsizetype>(1, image.sizeInBytes()));
    return image;
}

QImage render(const std::optional<QString>& digits, int size, qreal devicePixelRatio, TrayInk ink)
{
    return render(digits, QSize(size, size), devicePixelRatio, ink);
}

} // namespace Dunmorra::TrayIconPainter
