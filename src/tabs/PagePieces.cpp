#include "tabs/PagePieces.h"

#include "components/Conversions.h"
#include "components/Palette.h"
#include "components/Symbols.h"
#include "platform/NumberText.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra::PagePieces {

IconLabel* cardTitle(const QString& symbol, const QString& text, QWidget* parent)
{
    auto* title = new IconLabel(symbol, text, Fonts::sectionTitle(), secondaryText(), parent);
    title->setObjectName(QStringLiteral("cardTitle"));
    return title;
}

TextLabel* sectionTitle(const QString& text, QWidget* parent)
{
    auto* title = new TextLabel(text, Fonts::sectionTitle(), Tone::Primary, parent);
    title->setObjectName(QStringLiteral("sectionTitle"));
    return title;
}

QVBoxLayout* stack(QWidget* owner, int spacing)
{
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

QVBoxLayout* stack(int spacing)
{
    return stack(nullptr, spacing);
}

QHBoxLayout* row(int spacing)
{
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    if (spacing >= 0)
        layout->setSpacing(spacing);
    return layout;
}

QHBoxLayout* edgeRow(QWidget* leading, QWidget* trailing)
{
    auto* layout = row();
    layout->addWidget(leading);
    layout->addStretch(1);
    layout->addWidget(trailing);
    return layout;
}

QString wholePercent(double percent)
{
    // The whole number first, so 37.9 reads 37 in the locale's own form.
    return localePercent(static_cast<double>(truncToInt64(percent)) / 100.0, 0);
}

QStringList widestWholePercents()
{
    // Three digits, and the widest two-digit figure should its digits not
    // all be as wide.
    return {wholePercent(100), wholePercent(88)};
}

} // namespace Dunmorra::PagePieces
