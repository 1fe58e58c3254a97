#include "tabs/settings/SettingsRows.h"

#include "components/Palette.h"
#include "components/Symbols.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

namespace Dunmorra {

namespace {

QHBoxLayout* rowLayout(QWidget* row, int spacing = kSettingsRowSpacing)
{
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

QWidget* tileSpacer(QWidget* parent)
{
    auto* spacer = new QWidget(parent);
    spacer->setFixedSize(kSettingsTileSize, 1);
    return spacer;
}

} // namespace

IconTile::IconTile(const QString& symbol, const QColor& color, QWidget* parent)
    : QWidget(parent)
    , m_symbol(symbol)
    , m_color(color)
{
    setFixedSize(kSettingsTileSize, kSettingsTileSize);
    setAccessibleName(symbol);
}

void IconTile::setSymbol(const QString& symbol)
{
    if (m_symbol == symbol)
        return;
    m_symbol = symbol;
    setAccessibleName(symbol);
    update();
}

void IconTile::setColor(const QColor& color)
{
    if (m_color == color)
        return;
    m_color = color;
    update();
}

QSize IconTile::sizeHint() const
{
    return QSize(kSettingsTileSize, kSettingsTileSize);
}

void IconTile::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 6, 6);
    p.fillPath(shape, m_color);
    // An 11-point semibold symbol is about 13 pixels of glyph.
    constexpr int glyph = 13;
    const QPixmap pixmap = symbolPixmap(m_symbol, glyph, Qt::white, devicePixelRatioF());
    const QPoint origin((width() - glyph) / 2, (height() - glyph) / 2);
    p.drawPixmap(origin, pixmap);
}

ToggleRow::ToggleRow(const QString& symbol, const QColor& color, const QString& title, QWidget* parent)
    : QWidget(parent)
    , m_checkBox(new QCheckBox(this))
    , m_tile(new IconTile(symbol, color, this))
    , m_title(new TextLabel(title, QFont(), Tone::Primary, this))
{
    m_title->setFont(font());
    m_checkBox->setAccessibleName(title);
    auto* layout = rowLayout(this);
    layout->addWidget(m_checkBox, 0, Qt::AlignVCenter);
    layout->addWidget(m_tile, 0, Qt::AlignVCenter);
    layout->addWidget(m_title, 0, Qt::AlignVCenter);
    layout->addStretch(1);
}

IconRow::IconRow(const QString& symbol, const QColor& color, const QString& title, QWidget* trailing, QWidget* parent)
    : QWidget(parent)
    , m_tile(new IconTile(symbol, color, this))
    , m_title(new TextLabel(title, QFont(), Tone::Primary, this))
{
    m_title->setFont(font());
    auto* layout = rowLayout(this);
    layout->addWidget(m_tile, 0, Qt::AlignVCenter);
    auto* inner = new QHBoxLayout;
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(m_title, 0, Qt::AlignVCenter);
    inner->addStretch(1);
    if (trailing) {
        trailing->setParent(this);
        inner->addWidget(trailing, 0, Qt::AlignVCenter);
    }
    layout->addLayout(inner, 1);
}

namespace {

// A 1-pixel separator in the theme's mid tone, at opacity 0.4, drawn
// directly (no graphics effect re-rendering it off screen).
class DividerLine : public QWidget {
public:
    explicit DividerLine(QWidget* parent)
        : QWidget(parent)
    {
        setFixedHeight(1);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), withAlpha(palette().color(QPalette::Mid), 0.4));
    }
};

} // namespace

QWidget* makeRowDivider(QWidget* parent)
{
    auto* holder = new QWidget(parent);
    holder->setObjectName(QStringLiteral("rowDivider"));
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(kSettingsTileSize + kSettingsRowSpacing, 0, 0, 0);
    layout->addWidget(new DividerLine(holder));
    return holder;
}

CaptionLine::CaptionLine(const QString& text, Tone tone, QWidget* parent)
    : QWidget(parent)
    , m_label(new TextLabel(text, Fonts::caption(), tone, this))
{
    m_label->setWordWrap(true);
    auto* layout = rowLayout(this);
    layout->addWidget(tileSpacer(this), 0, Qt::AlignVCenter);
    layout->addWidget(m_label, 1, Qt::AlignVCenter);
}

void CaptionLine::setText(const QString& text)
{
    m_label->setTextIfChanged(text);
}

} // namespace Dunmorra
