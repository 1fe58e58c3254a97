#pragma once

#include <QWidget>

namespace Dunmorra {

// A one-unit horizontal separator line across the full width, in the
// platform's separator tone at the given opacity; or a vertical one across
// the full height between views side by side.
class Divider : public QWidget {
    Q_OBJECT
public:
    explicit Divider(qreal opacity = 1.0, QWidget* parent = nullptr);
    Divider(Qt::Orientation orientation, qreal opacity, QWidget* parent = nullptr);

    qreal opacity() const { return m_opacity; }
    QSize sizeHint() const override { return {10, 1}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal m_opacity;
};

} // namespace Dunmorra
