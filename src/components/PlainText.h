#pragma once

#include <QString>

namespace Dunmorra {

// Names that come from the system (network names, interface names,
// addresses) are data: any bytes a name holds are shown, none is obeyed.

// The text for a one-line label: control characters and line or paragraph
// separators show as the replacement mark U+FFFD (which every font draws, as
// invalid UTF-8 already reads), so a name can neither break its row nor hide
// a character. Everything else is left as it is.
QString oneLine(const QString& text);

// A tooltip that shows the text as it is: a tooltip guesses rich text from
// the text alone, so "<b>x</b>" would otherwise turn bold.
QString plainToolTip(const QString& text);

} // namespace Dunmorra
