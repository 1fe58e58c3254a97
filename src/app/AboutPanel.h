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

// The standard about box: the application icon, name, version and credits.
void showAboutPanel(QWidget* parent);

} // namespace Dunmorra
