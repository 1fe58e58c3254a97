#pragma once

#include "model/OneLine.h"

#include <QString>

namespace Dunmorra {

// Names that come from the system (network names, interface names,
// addresses) are data: any bytes a name holds are shown, none is obeyed.

// A tooltip that shows the text as it is: a tooltip guesses rich text from
// the text alone, so "<b>x</b>" would otherwise turn bold.
QString plainToolTip(const QString& text);

} // namespace Dunmorra
