#pragma once

#include <QString>

namespace Dunmorra {

// The text for a one-line label: control characters and line or paragraph
// separators show as the replacement mark U+FFFD (which every font draws, as
// invalid UTF-8 already reads), so a name can neither break its row nor hide
// a character. Everything else is left as it is.
QString oneLine(const QString& text);

} // namespace Dunmorra
