#pragma once

#include <QString>

namespace Dunmorra {

// Process, application, device, network and file names come from outside
// and are shown as written, never as markup.

// A name for a one-line row: line breaks, tabs and other control characters
// become spaces.
QString oneLine(const QString& text);

// A tooltip that shows the text as written. Qt takes any tooltip that looks
// like markup ("<b>", "<img …>") for rich text, so a plain one is escaped
// inside a paragraph that keeps its spaces and line breaks.
QString plainToolTip(const QString& text);

} // namespace Dunmorra
