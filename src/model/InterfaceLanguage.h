#pragma once

#include <QLocale>
#include <QStringList>

#include <optional>

namespace Dunmorra {

class UserSettings;

// The language list "AppleLanguages" answers with: the stored list (also
// when the store hands back a single text), none when the key holds anything
// else, and the system's preferred languages while the key was never written.
std::optional<QStringList> preferredLanguages(const UserSettings& settings,
    const QStringList& systemLanguages = QLocale::system().uiLanguages());

// "es" when the list's first entry starts with "es" (case-sensitive), else
// "en"; later entries are never looked at.
QString languageCode(const std::optional<QStringList>& languages);

// Replaces the whole list with the one code and flushes the store, so a new
// instance started right after reads it. False when the flush failed.
bool storeInterfaceLanguage(UserSettings& settings, const QString& code);

} // namespace Dunmorra
