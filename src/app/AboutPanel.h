#pragma once

#include <QString>

class QWidget;

namespace Dunmorra {

// "1.0 (1)": the project version and the build number.
QString appVersionString();

// The credits under the name and version.
QString aboutCredits();

// What the about box shows: the name, the version and the credits in
// small, secondary type (rich text).
QString aboutPanelText();

// The About window: the application icon, name, version and credits. One
// at a time: asking again raises the one that is open. Returns it.
QWidget* showAboutPanel();

} // namespace Dunmorra
