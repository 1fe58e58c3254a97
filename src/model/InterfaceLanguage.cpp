#include "model/InterfaceLanguage.h"

#include "model/SettingKeys.h"
#include "model/UserSettings.h"

namespace Dunmorra {

std::optional<QStringList> preferredLanguages(const UserSettings& settings, const QStringList& systemLanguages)
{
    const QString key = QLatin1String(SettingKeys::languages);
    if (!settings.contains(key))
        return systemLanguages;
    return settings.stringList(key);
}

QString languageCode(const std::optional<QStringList>& languages)
{
    if (languages && !languages->isEmpty() && languages->first().startsWith(QLatin1String("es")))
        return QStringLiteral("es");
    return QStringLiteral("en");
}

bool storeInterfaceLanguage(UserSettings& settings, const QString& code)
{
    settings.setValue(QLatin1String(SettingKeys::languages), QStringList{code});
    settings.sync();
    return settings.store().status() == QSettings::NoError;
}

} // namespace Dunmorra
