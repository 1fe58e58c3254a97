#include "tabs/LegendItem.h"

#include "components/Typography.h"
#include "tabs/PagePieces.h"

#include <QHBoxLayout>
#include <QPainter>

namespace Dunmorra {

namespace {
class Dot : public QWidget {
public:
    explicit Dot(const QColor& color)
        : m_color(color)
    {
        setFixedSize(8, 8);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(m_color);
        p.drawEllipse(rect());
    }

private:
    QColor m_color;
};
} // namespace

LegendItem::LegendItem(const QColor& color, const QString& text, QWidget* parent)
    : LegendItem(color, text, Fonts::caption(), parent)
{
}

LegendItem::LegendItem(const QColor& color, const QString& text, const QFont& font, QWidget* parent)
    : QWidget(parent)
{
    auto* row = PagePieces::row(4);
    row->addWidget(new Dot(color), 0, Qt::AlignVCenter);
    row->addWidget(new TextLabel(text, font, Tone::Secondary), 0, Qt::AlignVCenter);
    setLayout(row);
    setAccessibleName(text);
}

} // namespace Dunmorra
