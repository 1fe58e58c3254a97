#pragma once

#include "components/Typography.h"

#include <QString>
#include <QStringList>

#include <cstdint>

class QBoxLayout;
class QHBoxLayout;
class QVBoxLayout;
class QWidget;

namespace Dunmorra {

class IconLabel;

// Building blocks the tab pages share, so every page spells its titles,
// rows and captions the same way.
namespace PagePieces {

// A card title: a symbol and a text, 13 semibold, secondary.
IconLabel* cardTitle(const QString& symbol, const QString& text, QWidget* parent = nullptr);
// A section title above a card: 13 semibold, primary.
TextLabel* sectionTitle(const QString& text, QWidget* parent = nullptr);
// A stack without margins.
QVBoxLayout* stack(QWidget* owner, int spacing);
QVBoxLayout* stack(int spacing);
QHBoxLayout* row(int spacing = -1);
// Two texts at the edges of a row with flexible space between them.
QHBoxLayout* edgeRow(QWidget* leading, QWidget* trailing);

// A table cell: the label held to its column's width, its text at one edge.
template <typename Label>
Label* column(Label* label, int width, Qt::Alignment edge)
{
    label->setFixedWidth(width);
    label->setAlignment(edge | Qt::AlignVCenter);
    return label;
}

// A whole-number percentage: the value truncated toward zero, "37%" for
// 37.9; a value that is not finite reads 0.
QString wholePercent(double percent);
// The widest texts wholePercent() gives, for a figure held at their size.
QStringList widestWholePercents();

} // namespace PagePieces

} // namespace Dunmorra
