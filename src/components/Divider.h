#pragma once

#include <QWidget>

namespace Dunmorra {

// A one-unit horizontal separator line across the full width, in the
// platform's separator tone at the given opacity.
class Divider : public QWidget {
    Q_OBJECT
public:
    explicit Divider(qreal opacity = 1.0, QWidget* parent = nullptr);

    qreal opacity() const { return m_opacity; }
    QSize sizeHint() const override { return {10, 1}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal m_opacity;
};

} // namespace Dunmorra
