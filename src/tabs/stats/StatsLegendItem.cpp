#include "tabs/stats/StatsLegendItem.h"

#include "components/Typography.h"
#include "tabs/PagePieces.h"

#include <QHBoxLayout>
#include <QPainter>

namespace Dunmorra {

namespace {
class Swatch : public QWidget {
public:
    explicit Swatch(const QColor& color)
        : m_color(color)
    {
        setFixedSize(12, 4);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(m_color);
        p.drawRoundedRect(QRectF(rect()), 2, 2);
    }

private:
    QColor m_color;
};
} // namespace

StatsLegendItem::StatsLegendItem(const QColor& color, const QString& label, QWidget* parent)
    : QWidget(parent)
    , m_label(new TextLabel(label, Fonts::caption(), Tone::Secondary))
    , m_value(new TextLabel(QString(), Fonts::value()))
{
    m_label->setObjectName(QStringLiteral("legendLabel"));
    m_value->setObjectName(QStringLiteral("legendValue"));
    auto* row = PagePieces::row(6);
    row->addWidget(new Swatch(color), 0, Qt::AlignVCenter);
    row->addWidget(m_label, 0, Qt::AlignVCenter);
    row->addWidget(m_value, 0, Qt::AlignVCenter);
    setLayout(row);
}

void StatsLegendItem::setValue(const QString& value)
{
    m_value->setTextIfChanged(value);
    setAccessibleName(m_label->text() + QLatin1String(": ") + value);
}

QString StatsLegendItem::value() const
{
    return m_value->text();
}

QString StatsLegendItem::label() const
{
    return m_label->text();
}

} // namespace Dunmorra
