#pragma once

#include <QColor>
#include <QWidget>

namespace Dunmorra {

// A one-unit separator line in the platform's separator tone at the given
// opacity: across the full width, or (vertical) of a fixed length between
// the tiles of a row.
class Divider : public QWidget {
    Q_OBJECT
public:
    explicit Divider(qreal opacity = 1.0, QWidget* parent = nullptr);
    // A vertical line `length` units high.
    static Divider* vertical(int length, qreal opacity = 1.0, QWidget* parent = nullptr);

    qreal opacity() const { return m_opacity; }
    Qt::Orientation orientation() const { return m_orientation; }
    // The line's colour at an opacity, for lists that draw their own lines.
    static QColor colorAt(qreal opacity);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal m_opacity;
    Qt::Orientation m_orientation = Qt::Horizontal;
};

} // namespace Dunmorra
