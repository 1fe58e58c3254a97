#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

namespace Dunmorra {

// The tone of the tray icon's figures; the rim around them takes the other.
enum class TrayInk { light, dark };

// Draws the tray icon for one square size. A tray gives its icons a square
// of the panel's height (16 to 32 px on most panels), so the whole number
// fills it: no percent sign and no glyph beside the digits. Before the first
// measured value there is no number, only the load-meter glyph.
namespace TrayIconPainter {

// Light figures on a dark panel, dark ones on a light panel.
TrayInk inkFor(const QColor& panel);

// digits: the whole percent as text ("7", "37", "100"), or none for the glyph.
QImage render(const std::optional<QString>& digits, int size, qreal devicePixelRatio = 1.0,
              TrayInk ink = TrayInk::light);
// For a tray that gives its icons a taller box than wide (22 × 30 px): the
// figure takes the height too.
QImage render(const std::optional<QString>& digits, const QSize& size, qreal devicePixelRatio, TrayInk ink);

// The colour of the figure in this ink.
QColor inkColor(TrayInk ink);

// The same figure as a symbolic icon (16 × 16 SVG, one filled path, no
// rim): hosts that load icons by name draw it in the panel's own ink, and
// those that draw the file as it stands see it in this ink.
QByteArray symbolicSvg(const std::optional<QString>& digits, TrayInk ink);

} // namespace TrayIconPainter

} // namespace Dunmorra
