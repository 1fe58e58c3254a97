#pragma once

#include <QStringList>

#include <optional>

class QCoreApplication;

namespace Dunmorra {

class UserSettings;

// "es" when the stored language list starts with a Spanish entry, else "en".
QString languageCode(const std::optional<QStringList>& languages);

// Installs Halvorin's catalogue (and Qt's own, where installed) for the
// language the settings hold. Returns the language used.
QString installTranslations(QCoreApplication& app, const UserSettings& settings);

} // namespace Dunmorra
