#pragma once

#include <QPointer>
#include <QWidget>

class QPainter;
class QVBoxLayout;

namespace Dunmorra {

// The padded rounded container every tab draws its content in. The shadow is
// painted by hand onto the parent, just outside the card's own rectangle, so
// the card's size is its content plus the padding and no per-card graphics
// effect re-renders the subtree off screen on every update.
class Card : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPadding = 14;
    static constexpr qreal kRadius = 10;

    explicit Card(QWidget* parent = nullptr);
    // Wraps content (reparented into the card).
    explicit Card(QWidget* content, QWidget* parent);

    void setContent(QWidget* content);
    QWidget* content() const { return m_content; }

    // For a widget that repaints often (an animated bar, a line redrawn every
    // second): when it sits on a card's solid fill with only plain containers
    // between, it is marked as painting all its pixels, so its repaints stop
    // at its own rectangle instead of repainting the card and the containers
    // under it first. Call again when it is shown; fillBehind() then paints
    // the card's fill where it will draw.
    static void claimOpaqueOnCard(QWidget* widget);
    static void fillBehind(QWidget* widget, QPainter& painter);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void attachShadowHost();
    void repaintShadowArea(const QRect& geometry);

    QVBoxLayout* m_layout = nullptr;
    QWidget* m_content = nullptr;
    QPointer<QWidget> m_shadowHost;
};

} // namespace Dunmorra
