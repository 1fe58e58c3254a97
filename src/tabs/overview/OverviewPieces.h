#pragma once

#include "components/Typography.h"

#include <QString>

class QVBoxLayout;

namespace Dunmorra {

class Card;
class ElidedLabel;
class IconLabel;

// How the Overview's cards spell their parts.
namespace OverviewPieces {

// A card's small title: a symbol and a text, 11 regular, secondary.
IconLabel* cardHeader(const QString& symbol, const QString& text);
// A large one-line figure, rounded and semibold. A day file may hold any
// number, so a figure that does not fit is cut short instead of widening
// the grid.
ElidedLabel* figure(qreal size, const char* objectName);
// The view in a frame at least `width` wide that still grows with the
// view's own minimum (an explicit minimum width would override it).
QWidget* atLeast(QWidget* view, int width);
// A card's caption in the 11-unit caption font. A caption that does not fit
// its card's width wraps to a further line rather than losing its end (in
// Spanish, "Empezó 95 %  ·  Terminó 79 %" is wider than the narrowest card).
TextLabel* caption(const char* objectName, Tone tone);
// The same for a fixed text: a title that may break between its words.
TextLabel* wrappingCaption(const QString& text, Tone tone);
// A card of the metric grid: its content stack with the given spacing, at
// least 160 wide, growing with its column.
Card* metricCard(const char* objectName, QVBoxLayout*& stack, int spacing);

// A name from the system or a day file as one line (see oneLine), shortened
// first when it is longer than anything a row can show.
QString shownName(const QString& name);

} // namespace OverviewPieces

} // namespace Dunmorra
