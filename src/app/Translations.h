#pragma once

#include "model/InterfaceLanguage.h"

#include <QStringList>

class QCoreApplication;

namespace Dunmorra {

class UserSettings;

// Installs Halvorin's catalogue (and Qt's own, where installed) for the
// language the settings hold, or the system's while none was chosen.
// Returns the language used.
QString installTranslations(QCoreApplication& app, const UserSettings& settings);

} // namespace Dunmorra
