#include "tabs/overview/OverviewPieces.h"

#include "components/Card.h"
#include "components/ElidedLabel.h"
#include "components/Palette.h"
#include "components/PlainText.h"
#include "components/Symbols.h"
#include "components/WrappingLabel.h"
#include "tabs/PagePieces.h"

#include <QVBoxLayout>

namespace Dunmorra::OverviewPieces {

namespace {
// Far wider than any row, so shortening never shows, while a name of
// megabytes costs nothing to measure.
constexpr int kLongestShownName = 512;
// What a card of the narrowest column holds: any real figure fits whole.
constexpr int kKeptFigureWidth = 130;
} // namespace

IconLabel* cardHeader(const QString& symbol, const QString& text)
{
    auto* header = new IconLabel(symbol, text, Fonts::caption(), secondaryText());
    header->setObjectName(QStringLiteral("cardHeader"));
    return header;
}

ElidedLabel* figure(qreal size, const char* objectName)
{
    auto* label = new ElidedLabel(QString(), figureFont(size, QFont::DemiBold));
    label->setObjectName(QLatin1String(objectName));
    label->setKeptWidth(kKeptFigureWidth);
    return label;
}

QWidget* atLeast(QWidget* view, int width)
{
    auto* frame = new QWidget;
    QVBoxLayout* stack = PagePieces::stack(frame, 0);
    stack->addWidget(view);
    stack->addStrut(width);
    return frame;
}

TextLabel* caption(const char* objectName, Tone tone)
{
    auto* label = wrappingCaption(QString(), tone);
    label->setObjectName(QLatin1String(objectName));
    return label;
}

TextLabel* wrappingCaption(const QString& text, Tone tone)
{
    return new WrappingLabel(text, Fonts::caption(), tone);
}

Card* metricCard(const char* objectName, QVBoxLayout*& stack, int spacing)
{
    auto* content = new QWidget;
    stack = PagePieces::stack(content, spacing);
    // At least 160 with the card's padding, wider when the content needs it.
    stack->addStrut(160 - 2 * Card::kPadding);
    auto* card = new Card(content, nullptr);
    card->setObjectName(QLatin1String(objectName));
    return card;
}

QString shownName(const QString& name)
{
    return oneLine(name.left(kLongestShownName));
}

} // namespace Dunmorra::OverviewPieces
