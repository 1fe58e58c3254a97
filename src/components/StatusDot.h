#pragma once

#include <QColor>
#include <QWidget>

namespace Dunmorra {

// A filled circle of a fixed diameter: a legend's series colour or a status
// light whose colour follows a level.
class StatusDot : public QWidget {
    Q_OBJECT
public:
    StatusDot(const QColor& color, int diameter, QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
};

} // namespace Dunmorra
