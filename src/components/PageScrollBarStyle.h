#pragma once

#include <QProxyStyle>

class QScrollBar;

namespace Dunmorra {

// The application's own style, drawing a scroll bar in strips of at most 32
// rows. A page-tall scroll bar repaints whole whenever the page's height
// changes (a list at its foot gains or loses a row), and one fill that tall
// goes to Qt's thread pool, waking every pool thread and waiting for them.
// Each strip is drawn into an image of its own, so the style's own clipping
// is kept and every fill stays on the painting thread; a scroll bar that
// covers its rectangle (every style without transient scroll bars) comes
// out with the same pixels.
class PageScrollBarStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Gives `bar` the shared style, made on first use from the
    // application's; where that style cannot be made again, leaves it alone.
    static void install(QScrollBar* bar);

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;

    static constexpr int kStripRows = 32;

private:
    explicit PageScrollBarStyle(QStyle* base);
    bool drawsInStrips(const QStyleOptionComplex* option, const QPainter* painter, const QWidget* widget) const;
};

} // namespace Dunmorra
